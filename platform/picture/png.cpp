// PNG through libpng's simplified API, which reports errors by result instead of by longjmp.
#include <png.h>

#include <cstring>

#include "platform/picture/decode.h"

namespace platform {

std::optional<Image> DecodePng(Bytes data) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) return std::nullopt;
  if (!PlausibleSize(png.width, png.height)) {
    png_image_free(&png);
    return std::nullopt;
  }
  png.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words, not yet premultiplied
  Image image(int(png.width), int(png.height));
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return std::nullopt;
  }
  for (uint32_t& p : image.pixels)
    p = Premultiply(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF, p >> 24);
  return image;
}

}  // namespace platform
