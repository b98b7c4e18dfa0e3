// A decoded picture: premultiplied ARGB32 pixels, row after row, the layout cairo draws from.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace platform {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, premultiplied

  Image() = default;
  Image(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h), 0) {}
  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  uint32_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Straight (not premultiplied) RGBA components to a premultiplied pixel.
inline uint32_t Premultiply(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  if (a != 255) {
    r = (r * a + 127) / 255;
    g = (g * a + 127) / 255;
    b = (b * a + 127) / 255;
  }
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// An opaque pixel of a 0x00BBGGRR colour.
inline uint32_t OpaquePixel(Colour c) {
  return 0xFF000000u | (uint32_t(Red(c)) << 16) | (uint32_t(Green(c)) << 8) | Blue(c);
}

}  // namespace platform
