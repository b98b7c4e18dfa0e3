// GIF: the first frame, drawn on the logical screen, with its transparent colour.
#include "platform/picture/decode.h"

namespace platform {
namespace {

bool ReadPalette(ByteReader& in, int count, std::vector<uint32_t>& palette) {
  palette.clear();
  for (int i = 0; i < count; ++i) {
    uint8_t r, g, b;
    if (!in.U8(r) || !in.U8(g) || !in.U8(b)) return false;
    palette.push_back(0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b);
  }
  return true;
}

bool SkipSubBlocks(ByteReader& in) {
  for (;;) {
    uint8_t n;
    if (!in.U8(n)) return false;
    if (n == 0) return true;
    if (!in.Skip(n)) return false;
  }
}

// LZW-decodes the image data's sub-blocks into at most `count` palette indices.
bool Lzw(ByteReader& in, int min_code_size, size_t count, std::vector<uint8_t>& out) {
  if (min_code_size < 2 || min_code_size > 8) return false;
  std::vector<uint8_t> data;
  for (;;) {
    uint8_t n;
    if (!in.U8(n)) return false;
    if (n == 0) break;
    if (!in.Has(n)) return false;
    size_t old_size = data.size();
    data.resize(old_size + n);
    for (size_t i = 0; i < n; ++i) in.U8(data[old_size + i]);
  }
  const int clear = 1 << min_code_size, end = clear + 1;
  std::vector<uint16_t> prefix(4096);
  std::vector<uint8_t> suffix(4096), stack;
  stack.reserve(4096);
  int code_size = min_code_size + 1, next = end + 1, previous = -1;
  uint8_t first = 0;
  uint32_t bits = 0;
  int bit_count = 0;
  size_t pos = 0;
  for (int c = 0; c < clear; ++c) suffix[size_t(c)] = uint8_t(c);
  out.clear();
  while (out.size() < count) {
    while (bit_count < code_size) {
      if (pos >= data.size()) return !out.empty();  // short data keeps what was decoded
      bits |= uint32_t(data[pos++]) << bit_count;
      bit_count += 8;
    }
    int code = int(bits & ((1u << code_size) - 1));
    bits >>= code_size;
    bit_count -= code_size;
    if (code == clear) {
      code_size = min_code_size + 1, next = end + 1, previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      if (code >= clear) return false;
      out.push_back(uint8_t(code));
      previous = code, first = uint8_t(code);
      continue;
    }
    int in_code = code;
    stack.clear();
    if (code >= next) {
      if (code > next) return false;
      stack.push_back(first);
      code = previous;
    }
    while (code >= clear) {
      if (stack.size() >= 4096) return false;
      stack.push_back(suffix[size_t(code)]);
      code = prefix[size_t(code)];
    }
    first = uint8_t(code);
    stack.push_back(first);
    for (auto it = stack.rbegin(); it != stack.rend() && out.size() < count; ++it)
      out.push_back(*it);
    if (next < 4096) {
      prefix[size_t(next)] = uint16_t(previous);
      suffix[size_t(next)] = first;
      ++next;
      if (next == (1 << code_size) && code_size < 12) ++code_size;
    }
    previous = in_code;
  }
  return true;
}

}  // namespace

std::optional<Image> DecodeGif(Bytes data) {
  ByteReader in(data);
  if (!in.Skip(6)) return std::nullopt;
  uint16_t screen_w, screen_h;
  uint8_t flags, background, aspect;
  if (!in.U16(screen_w) || !in.U16(screen_h) || !in.U8(flags) || !in.U8(background) ||
      !in.U8(aspect))
    return std::nullopt;
  std::vector<uint32_t> global, local;
  if ((flags & 0x80) && !ReadPalette(in, 2 << (flags & 7), global)) return std::nullopt;
  int transparent = -1;
  for (;;) {
    uint8_t block;
    if (!in.U8(block)) return std::nullopt;
    if (block == 0x3B) return std::nullopt;  // trailer before any image
    if (block == 0x21) {
      uint8_t label;
      if (!in.U8(label)) return std::nullopt;
      if (label == 0xF9) {
        uint8_t size, gflags, index;
        uint16_t delay;
        if (!in.U8(size) || size < 4 || !in.U8(gflags) || !in.U16(delay) || !in.U8(index) ||
            !in.Skip(size - 4u))
          return std::nullopt;
        if (gflags & 1) transparent = index;
      }
      if (!SkipSubBlocks(in)) return std::nullopt;
      continue;
    }
    if (block != 0x2C) return std::nullopt;
    uint16_t left, top, w, h;
    uint8_t iflags, min_code;
    if (!in.U16(left) || !in.U16(top) || !in.U16(w) || !in.U16(h) || !in.U8(iflags))
      return std::nullopt;
    if ((iflags & 0x80) && !ReadPalette(in, 2 << (iflags & 7), local)) return std::nullopt;
    const std::vector<uint32_t>& palette = (iflags & 0x80) ? local : global;
    if (!in.U8(min_code)) return std::nullopt;
    int sw = screen_w ? screen_w : left + w, sh = screen_h ? screen_h : top + h;
    if (!PlausibleSize(sw, sh) || !PlausibleSize(w ? w : 1, h ? h : 1)) return std::nullopt;
    std::vector<uint8_t> indices;
    if (!Lzw(in, min_code, size_t(w) * h, indices)) return std::nullopt;
    Image image(sw, sh);
    bool interlaced = iflags & 0x40;
    // Interlaced rows arrive in four passes: every 8th from 0, every 8th from 4, 4th from 2, 2nd
    // from 1.
    std::vector<int> rows;
    if (interlaced) {
      for (int start : {0, 4, 2, 1})
        for (int y = start; y < h; y += (start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2))
          rows.push_back(y);
    }
    for (size_t i = 0; i < indices.size(); ++i) {
      int row = int(i / w), x = int(i % w);
      int y = interlaced ? rows[size_t(row)] : row;
      int sx = left + x, sy = top + y;
      if (sx >= sw || sy >= sh) continue;
      uint8_t index = indices[i];
      if (index == transparent || index >= palette.size()) continue;
      image.At(sx, sy) = palette[index];
    }
    return image;
  }
}

}  // namespace platform
