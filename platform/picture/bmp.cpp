// BMP files and the device-independent bitmaps inside icon and cursor files.
#include "platform/picture/bmp.h"

#include <array>

#include "platform/picture/decode.h"

namespace platform {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6;

struct Masks {
  uint32_t r = 0, g = 0, b = 0, a = 0;
};

uint32_t Channel(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  uint32_t bits = mask >> shift;
  uint32_t value = (v & mask) >> shift;
  return bits == 0xFF ? value : (value * 255 + bits / 2) / bits;
}

// RLE-compressed rows into a buffer of palette indices, bottom row first.
bool DecodeRle(Bytes data, size_t pos, int width, int height, bool four_bit,
               std::vector<uint8_t>& indices) {
  indices.assign(size_t(width) * size_t(height), 0);
  int x = 0, y = 0;
  ByteReader in(data, pos);
  while (y < height) {
    uint8_t count, value;
    if (!in.U8(count) || !in.U8(value)) return false;
    if (count > 0) {
      for (int i = 0; i < count && x < width; ++i, ++x) {
        uint8_t index = four_bit ? ((i & 1) ? value & 0x0F : value >> 4) : value;
        indices[size_t(y) * size_t(width) + size_t(x)] = index;
      }
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      uint8_t dx, dy;
      if (!in.U8(dx) || !in.U8(dy)) return false;
      x += dx, y += dy;
    } else {
      int n = value;
      int per_byte = four_bit ? 2 : 1;
      int bytes = (n + per_byte - 1) / per_byte;
      for (int i = 0; i < bytes; ++i) {
        uint8_t b;
        if (!in.U8(b)) return false;
        for (int k = 0; k < per_byte && i * per_byte + k < n; ++k, ++x) {
          uint8_t index = four_bit ? (k == 0 ? b >> 4 : b & 0x0F) : b;
          if (x < width) indices[size_t(y) * size_t(width) + size_t(x)] = index;
        }
      }
      if (bytes & 1 && !in.Skip(1)) return false;
    }
  }
  return true;
}

}  // namespace

std::optional<Image> DecodeDib(Bytes data, size_t pos, bool in_icon, size_t pixel_offset) {
  ByteReader in(data, pos);
  uint32_t header_size;
  if (!in.U32(header_size)) return std::nullopt;
  int32_t width, height;
  uint16_t planes, bpp;
  uint32_t compression = kRgb, colours_used = 0;
  Masks masks;
  if (header_size == 12) {
    uint16_t w, h;
    if (!in.U16(w) || !in.U16(h) || !in.U16(planes) || !in.U16(bpp)) return std::nullopt;
    width = w, height = h;
  } else if (header_size >= 40) {
    uint32_t image_size, xppm, yppm, important;
    if (!in.I32(width) || !in.I32(height) || !in.U16(planes) || !in.U16(bpp) ||
        !in.U32(compression) || !in.U32(image_size) || !in.U32(xppm) || !in.U32(yppm) ||
        !in.U32(colours_used) || !in.U32(important))
      return std::nullopt;
    if (compression == kBitfields || compression == kAlphaBitfields) {
      // The masks follow the 40-byte header, inside larger headers or after the smaller one.
      if (!in.U32(masks.r) || !in.U32(masks.g) || !in.U32(masks.b)) return std::nullopt;
      if (header_size >= 56 || compression == kAlphaBitfields) {
        if (!in.U32(masks.a)) return std::nullopt;
      }
    }
  } else {
    return std::nullopt;
  }
  bool top_down = height < 0;
  int64_t abs_height = top_down ? -int64_t(height) : height;
  if (in_icon) abs_height /= 2;  // an icon's DIB holds the colour rows and then the mask rows
  if (!PlausibleSize(width, abs_height)) return std::nullopt;
  int w = width, h = int(abs_height);

  size_t palette_pos = pos + header_size;
  if (header_size == 40 && (compression == kBitfields || compression == kAlphaBitfields))
    palette_pos += compression == kAlphaBitfields ? 16 : 12;
  std::vector<uint32_t> palette;
  if (bpp <= 8) {
    size_t count = colours_used ? colours_used : size_t(1) << bpp;
    if (count > 256) return std::nullopt;
    size_t entry = header_size == 12 ? 3 : 4;
    ByteReader pr(data, palette_pos);
    for (size_t i = 0; i < count; ++i) {
      uint8_t b, g, r;
      if (!pr.U8(b) || !pr.U8(g) || !pr.U8(r) || (entry == 4 && !pr.Skip(1))) return std::nullopt;
      palette.push_back(0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b);
    }
    palette_pos += count * entry;
  }
  size_t bits_pos = pixel_offset ? pixel_offset : palette_pos;

  Image image(w, h);
  auto put = [&](int x, int file_row, uint32_t argb) {
    int y = top_down ? file_row : h - 1 - file_row;
    image.At(x, y) = argb;
  };

  if (compression == kRle8 || compression == kRle4) {
    if (bpp != (compression == kRle8 ? 8 : 4) || top_down) return std::nullopt;
    std::vector<uint8_t> indices;
    if (!DecodeRle(data, bits_pos, w, h, compression == kRle4, indices)) return std::nullopt;
    for (int row = 0; row < h; ++row)
      for (int x = 0; x < w; ++x) {
        uint8_t i = indices[size_t(row) * size_t(w) + size_t(x)];
        put(x, row, i < palette.size() ? palette[i] : 0xFF000000u);
      }
    return image;
  }
  if (compression != kRgb && compression != kBitfields && compression != kAlphaBitfields)
    return std::nullopt;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
  if (compression == kRgb && bpp == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
  bool use_masks = bpp == 16 || (bpp == 32 && compression != kRgb);

  size_t stride = ((size_t(w) * bpp + 31) / 32) * 4;
  bool any_alpha = false;
  for (int row = 0; row < h; ++row) {
    ByteReader r(data, bits_pos + size_t(row) * stride);
    if (!r.Has(stride)) return std::nullopt;
    for (int x = 0; x < w; ++x) {
      uint32_t argb = 0;
      if (bpp <= 8) {
        size_t bit = size_t(x) * bpp;
        ByteReader b(data, bits_pos + size_t(row) * stride + bit / 8);
        uint8_t byte = 0;
        b.U8(byte);
        uint32_t index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
        argb = index < palette.size() ? palette[index] : 0xFF000000u;
      } else if (use_masks) {
        uint32_t v = 0;
        if (bpp == 16) {
          uint16_t v16 = 0;
          r.U16(v16);
          v = v16;
        } else {
          r.U32(v);
        }
        uint32_t a = masks.a ? Channel(v, masks.a) : 255;
        argb = a << 24 | Channel(v, masks.r) << 16 | Channel(v, masks.g) << 8 | Channel(v, masks.b);
      } else {
        uint8_t b = 0, g = 0, rr = 0, a = 255;
        r.U8(b), r.U8(g), r.U8(rr);
        if (bpp == 32) r.U8(a);
        argb = uint32_t(a) << 24 | uint32_t(rr) << 16 | uint32_t(g) << 8 | b;
      }
      if ((argb >> 24) != 0xFF) any_alpha = true;
      put(x, row, argb);
    }
  }
  // A 32-bit plain bitmap whose alpha bytes are all zero means "no alpha", as most writers use it.
  if (bpp == 32 && compression == kRgb && !in_icon) {
    bool all_zero = true;
    for (uint32_t p : image.pixels) all_zero = all_zero && (p >> 24) == 0;
    if (all_zero) {
      for (uint32_t& p : image.pixels) p |= 0xFF000000u;
      any_alpha = false;
    }
  }
  if (in_icon && !(bpp == 32 && any_alpha)) {
    // The AND mask: a set bit is a transparent pixel.
    size_t mask_pos = bits_pos + stride * size_t(h);
    size_t mask_stride = ((size_t(w) + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {
      ByteReader r(data, mask_pos + size_t(row) * mask_stride);
      if (!r.Has(mask_stride)) break;  // a missing mask leaves the icon opaque
      for (int x = 0; x < w; ++x) {
        ByteReader b(data, mask_pos + size_t(row) * mask_stride + size_t(x) / 8);
        uint8_t byte = 0;
        b.U8(byte);
        int y = top_down ? row : h - 1 - row;
        uint32_t& p = image.At(x, y);
        p = (byte >> (7 - x % 8)) & 1 ? 0 : (p | 0xFF000000u);
      }
    }
  }
  for (uint32_t& p : image.pixels)
    p = Premultiply(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF, p >> 24);
  return image;
}

std::optional<Image> DecodeBmp(Bytes data) {
  ByteReader in(data, 10);
  uint32_t offset;
  if (data.size() < 14 || data[0] != 'B' || data[1] != 'M' || !in.U32(offset)) return std::nullopt;
  if (offset >= data.size()) return std::nullopt;
  return DecodeDib(data, 14, false, offset);
}

std::vector<Image> DecodeIconImages(Bytes data) {
  std::vector<Image> images;
  ByteReader in(data);
  uint16_t reserved, type, count;
  if (!in.U16(reserved) || !in.U16(type) || !in.U16(count) || reserved != 0 ||
      (type != 1 && type != 2) || count == 0)
    return images;
  for (uint16_t i = 0; i < count; ++i) {
    ByteReader entry(data, 6 + size_t(i) * 16);
    uint32_t size, offset;
    if (!entry.Skip(8) || !entry.U32(size) || !entry.U32(offset)) return {};
    if (offset > data.size() || size > data.size() - offset) return {};
    Bytes body = data.subspan(offset, size);
    std::optional<Image> image = DetectPictureFormat(body) == PictureFormat::kPng
                                     ? DecodePng(body)
                                     : DecodeDib(body, 0, true, 0);
    if (!image) return {};
    images.push_back(std::move(*image));
  }
  return images;
}

}  // namespace platform
