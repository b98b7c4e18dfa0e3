// The canvas: what a window paints with. It draws into the window's backing store (a cairo
// image surface), so the pixels a test reads are the pixels the screen shows.
#pragma once

#include <string_view>

#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/image.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace platform {

enum class Scaling { kSmooth, kNearest };

// 3-D edges, each drawn as an outer and an inner one-pixel ring (thin kinds: outer only).
enum class Edge { kSunken, kRaised, kEtched, kThinSunken, kThinRaised };

enum class HAlign { kLeft, kCenter, kRight };
enum class VAlign { kTop, kCenter, kBottom };

struct TextFormat {
  HAlign h = HAlign::kLeft;
  VAlign v = VAlign::kCenter;
  bool word_wrap = false;  // lines broken at word boundaries, the block placed by v
  bool mnemonics = true;   // "&x" underlines x, "&&" draws one "&"
};

class Canvas {
 public:
  // origin: where this window's (0, 0) lies on the surface; clip: the part it may paint, in the
  // window's own coordinates.
  Canvas(cairo_surface_t* surface, Point origin, Rect clip);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  Rect clip() const { return clip_; }

  void FillRect(Rect r, Colour c);
  // The picture drawn into dest: at natural size when dest has the picture's size, else scaled.
  void DrawImage(const Image& image, Rect dest, Scaling scaling = Scaling::kSmooth);
  void DrawEdge(Rect r, Edge edge);
  void DrawFrame(Rect r, Colour c);  // a one-pixel rectangle outline
  void DrawFocusRect(Rect r);        // dotted, every other pixel
  // The text is clipped to r, or to clip when one is given (for text drawn off its place).
  void DrawText(std::string_view utf8, Rect r, const Font& font, Colour c, TextFormat format,
                const Rect* clip = nullptr);

  // Direct pixel access: f(x, y) gives the colour of each pixel of r that lies inside the clip.
  template <typename F>
  void FillPixels(Rect r, F&& f) {
    Rect v = r.Intersect(clip_);
    if (v.Empty()) return;
    BeginPixels();
    for (int y = v.y; y < v.Bottom(); ++y) {
      uint32_t* row = PixelRow(y);
      for (int x = v.x; x < v.Right(); ++x) row[x] = OpaquePixel(f(x, y));
    }
    EndPixels(v);
  }

 private:
  void BeginPixels();
  void EndPixels(Rect r);
  uint32_t* PixelRow(int y);  // pointer such that [x] is window pixel (x, y)

  cairo_surface_t* surface_;
  cairo_t* cr_;
  Point origin_;
  Rect clip_;
};

// Text without mnemonic markers, and the byte range of the one to underline (or -1).
struct MnemonicText {
  std::string text;
  int underline_begin = -1;
  int underline_end = -1;
};
MnemonicText StripMnemonics(std::string_view caption);

// The mnemonic character of a caption, upper-cased if a letter; 0 when it has none.
char32_t MnemonicOf(std::string_view caption);

}  // namespace platform
