// Plain geometry of the windowing layer: points, sizes and rectangles in pixels.
#pragma once

#include <algorithm>
#include <cstdint>

namespace platform {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(Point, Point) = default;
};

struct Size {
  int w = 0;
  int h = 0;
  friend bool operator==(Size, Size) = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;

  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
  bool Empty() const { return w <= 0 || h <= 0; }
  bool Contains(Point p) const { return p.x >= x && p.y >= y && p.x < Right() && p.y < Bottom(); }
  Rect Translated(int dx, int dy) const { return {x + dx, y + dy, w, h}; }
  Rect Inset(int d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
  Rect Intersect(const Rect& o) const {
    int l = std::max(x, o.x), t = std::max(y, o.y);
    int r = std::min(Right(), o.Right()), b = std::min(Bottom(), o.Bottom());
    if (r <= l || b <= t) return {l, t, 0, 0};
    return {l, t, r - l, b - t};
  }
  Rect Union(const Rect& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    int l = std::min(x, o.x), t = std::min(y, o.y);
    int r = std::max(Right(), o.Right()), b = std::max(Bottom(), o.Bottom());
    return {l, t, r - l, b - t};
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Colours are 0x00BBGGRR, the byte order the form descriptions store.
using Colour = uint32_t;
constexpr uint8_t Red(Colour c) { return c & 0xFF; }
constexpr uint8_t Green(Colour c) { return (c >> 8) & 0xFF; }
constexpr uint8_t Blue(Colour c) { return (c >> 16) & 0xFF; }
constexpr Colour Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return Colour(r) | (Colour(g) << 8) | (Colour(b) << 16);
}

}  // namespace platform
