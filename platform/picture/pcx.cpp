// PCX: run-length encoded planes; 1-bit mono, 16-colour, 256-colour palette and 24/32-bit.
#include "platform/picture/decode.h"

namespace platform {

std::optional<Image> DecodePcx(Bytes data) {
  if (data.size() < 128 || data[0] != 0x0A || data[2] != 1) return std::nullopt;
  ByteReader h(data, 3);
  uint8_t bpp;
  uint16_t xmin, ymin, xmax, ymax;
  if (!h.U8(bpp) || !h.U16(xmin) || !h.U16(ymin) || !h.U16(xmax) || !h.U16(ymax))
    return std::nullopt;
  const uint8_t planes = data[65];
  const uint16_t bytes_per_line = uint16_t(data[66] | data[67] << 8);
  if (xmax < xmin || ymax < ymin) return std::nullopt;
  const int w = xmax - xmin + 1, height = ymax - ymin + 1;
  if (!PlausibleSize(w, height)) return std::nullopt;
  const bool mono = bpp == 1 && planes == 1, ega = bpp == 1 && planes == 4,
             ega_packed = bpp == 4 && planes == 1, indexed = bpp == 8 && planes == 1,
             truecolour = bpp == 8 && (planes == 3 || planes == 4);
  if (!mono && !ega && !ega_packed && !indexed && !truecolour) return std::nullopt;
  if (size_t(bytes_per_line) * 8 < size_t(w) * bpp) return std::nullopt;

  std::vector<uint32_t> palette(256, 0xFF000000u);
  if (mono) palette[1] = 0xFFFFFFFFu;
  if (ega || ega_packed)
    for (int i = 0; i < 16; ++i)
      palette[size_t(i)] = 0xFF000000u | uint32_t(data[16 + 3 * i]) << 16 |
                           uint32_t(data[17 + 3 * i]) << 8 | data[18 + 3 * i];
  if (indexed) {
    // The 256-colour palette closes the file, after a 0x0C marker.
    if (data.size() < 128 + 769 || data[data.size() - 769] != 0x0C) return std::nullopt;
    size_t p = data.size() - 768;
    for (int i = 0; i < 256; ++i, p += 3)
      palette[size_t(i)] =
          0xFF000000u | uint32_t(data[p]) << 16 | uint32_t(data[p + 1]) << 8 | data[p + 2];
  }

  const size_t line = size_t(bytes_per_line) * planes;
  std::vector<uint8_t> scan(line);
  ByteReader in(data, 128);
  Image image(w, height);
  for (int y = 0; y < height; ++y) {
    for (size_t i = 0; i < line;) {
      uint8_t b;
      if (!in.U8(b)) return std::nullopt;
      size_t run = 1;
      if ((b & 0xC0) == 0xC0) {
        run = b & 0x3F;
        if (!in.U8(b)) return std::nullopt;
      }
      for (; run > 0 && i < line; --run) scan[i++] = b;
    }
    for (int x = 0; x < w; ++x) {
      uint32_t argb;
      if (truecolour) {
        uint32_t a = planes == 4 ? scan[3 * size_t(bytes_per_line) + size_t(x)] : 255;
        argb = a << 24 | uint32_t(scan[size_t(x)]) << 16 |
               uint32_t(scan[size_t(bytes_per_line) + size_t(x)]) << 8 |
               scan[2 * size_t(bytes_per_line) + size_t(x)];
        argb = Premultiply(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF, a);
      } else if (indexed) {
        argb = palette[scan[size_t(x)]];
      } else if (ega_packed) {
        uint8_t b = scan[size_t(x) / 2];
        argb = palette[(x & 1) ? b & 0x0F : b >> 4];
      } else {
        uint32_t index = 0;
        for (int p = 0; p < planes; ++p) {
          uint8_t b = scan[size_t(p) * bytes_per_line + size_t(x) / 8];
          index |= uint32_t((b >> (7 - x % 8)) & 1) << p;
        }
        argb = palette[index];
      }
      image.At(x, y) = argb;
    }
  }
  return image;
}

}  // namespace platform
