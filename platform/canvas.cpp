#include "platform/canvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>

#include "platform/metrics.h"
#include "platform/text_setup.h"

namespace platform {
namespace {

void SetColour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, Red(c) / 255.0, Green(c) / 255.0, Blue(c) / 255.0);
}

}  // namespace

MnemonicText StripMnemonics(std::string_view s) {
  MnemonicText out;
  out.text.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out.text += s[i];
      continue;
    }
    if (i + 1 >= s.size()) break;  // a trailing "&" marks nothing
    if (s[i + 1] == '&') {
      out.text += '&';
      ++i;
      continue;
    }
    // The marked character may be several UTF-8 bytes long.
    size_t len = 1;
    unsigned char lead = static_cast<unsigned char>(s[i + 1]);
    if (lead >= 0xF0)
      len = 4;
    else if (lead >= 0xE0)
      len = 3;
    else if (lead >= 0xC0)
      len = 2;
    len = std::min(len, s.size() - (i + 1));
    if (out.underline_begin < 0) {
      out.underline_begin = int(out.text.size());
      out.underline_end = int(out.text.size() + len);
    }
    out.text.append(s.substr(i + 1, len));
    i += len;
  }
  return out;
}

char32_t MnemonicOf(std::string_view caption) {
  MnemonicText m = StripMnemonics(caption);
  if (m.underline_begin < 0 || m.underline_end - m.underline_begin != 1) return 0;
  char c = m.text[size_t(m.underline_begin)];
  if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return char32_t(static_cast<unsigned char>(c));
}

Canvas::Canvas(cairo_surface_t* surface, Point origin, Rect clip)
    : surface_(surface), cr_(cairo_create(surface)), origin_(origin), clip_(clip) {
  cairo_translate(cr_, origin.x, origin.y);
  cairo_rectangle(cr_, clip.x, clip.y, clip.w, clip.h);
  cairo_clip(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
}

Canvas::~Canvas() { cairo_destroy(cr_); }

void Canvas::FillRect(Rect r, Colour c) {
  if (r.Intersect(clip_).Empty()) return;
  SetColour(cr_, c);
  cairo_rectangle(cr_, r.x, r.y, r.w, r.h);
  cairo_fill(cr_);
}

void Canvas::DrawFrame(Rect r, Colour c) {
  if (r.Empty()) return;
  FillRect({r.x, r.y, r.w, 1}, c);
  FillRect({r.x, r.Bottom() - 1, r.w, 1}, c);
  FillRect({r.x, r.y, 1, r.h}, c);
  FillRect({r.Right() - 1, r.y, 1, r.h}, c);
}

void Canvas::DrawImage(const Image& image, Rect dest, Scaling scaling) {
  if (image.Empty() || dest.Empty() || dest.Intersect(clip_).Empty()) return;
  cairo_surface_t* src = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.pixels.data())),
      CAIRO_FORMAT_ARGB32, image.width, image.height, image.width * 4);
  cairo_save(cr_);
  cairo_rectangle(cr_, dest.x, dest.y, dest.w, dest.h);
  cairo_clip(cr_);
  cairo_translate(cr_, dest.x, dest.y);
  bool natural = dest.w == image.width && dest.h == image.height;
  if (!natural) cairo_scale(cr_, double(dest.w) / image.width, double(dest.h) / image.height);
  cairo_set_source_surface(cr_, src, 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(cr_);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(
      pattern, natural || scaling == Scaling::kNearest ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_paint(cr_);
  cairo_restore(cr_);
  cairo_surface_destroy(src);
}

void Canvas::DrawEdge(Rect r, Edge edge) {
  // Top-left and bottom-right colours of the outer ring, then of the inner ring.
  struct Rings {
    Colour outer_tl, outer_br, inner_tl, inner_br;
    bool thin;
  };
  Rings k{};
  switch (edge) {
    case Edge::kSunken:
      k = {kShadow3D, kHighlight3D, kDarkShadow3D, kLight3D, false};
      break;
    case Edge::kRaised:
      k = {kLight3D, kDarkShadow3D, kHighlight3D, kShadow3D, false};
      break;
    case Edge::kEtched:
      k = {kShadow3D, kHighlight3D, kHighlight3D, kShadow3D, false};
      break;
    case Edge::kThinSunken:
      k = {kShadow3D, kHighlight3D, 0, 0, true};
      break;
    case Edge::kThinRaised:
      k = {kHighlight3D, kShadow3D, 0, 0, true};
      break;
  }
  auto ring = [&](Rect q, Colour tl, Colour br) {
    if (q.Empty()) return;
    FillRect({q.x, q.y, q.w - 1, 1}, tl);
    FillRect({q.x, q.y, 1, q.h - 1}, tl);
    FillRect({q.x, q.Bottom() - 1, q.w, 1}, br);
    FillRect({q.Right() - 1, q.y, 1, q.h}, br);
  };
  ring(r, k.outer_tl, k.outer_br);
  if (!k.thin) ring(r.Inset(1), k.inner_tl, k.inner_br);
}

void Canvas::DrawFocusRect(Rect r) {
  if (r.Empty()) return;
  BeginPixels();
  auto dot = [&](int x, int y) {
    if (!clip_.Contains({x, y}) || ((x + y) & 1)) return;
    uint32_t& p = PixelRow(y)[x];
    p = 0xFF000000u | (~p & 0x00FFFFFFu);  // inverted, as a focus rectangle is drawn
  };
  for (int x = r.x; x < r.Right(); ++x) {
    dot(x, r.y);
    if (r.h > 1) dot(x, r.Bottom() - 1);
  }
  for (int y = r.y + 1; y < r.Bottom() - 1; ++y) {
    dot(r.x, y);
    if (r.w > 1) dot(r.Right() - 1, y);
  }
  EndPixels(r.Intersect(clip_));
}

void Canvas::DrawText(std::string_view utf8, Rect r, const Font& font, Colour c, TextFormat format,
                      const Rect* clip) {
  Rect text_clip = clip ? *clip : r;
  if (utf8.empty() || text_clip.Empty() || text_clip.Intersect(clip_).Empty()) return;
  MnemonicText m = format.mnemonics ? StripMnemonics(utf8) : MnemonicText{std::string(utf8)};
  std::unique_ptr<PangoLayout, decltype(&g_object_unref)> layout(pango_layout_new(TextContext()),
                                                                 g_object_unref);
  pango_layout_set_font_description(layout.get(), font.Description());
  pango_layout_set_text(layout.get(), m.text.data(), int(m.text.size()));

  PangoAttrList* attrs = pango_attr_list_new();
  if (font.underline())
    pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (font.strike_out()) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
  if (m.underline_begin >= 0 && !font.underline()) {
    PangoAttribute* u = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    u->start_index = unsigned(m.underline_begin);
    u->end_index = unsigned(m.underline_end);
    pango_attr_list_insert(attrs, u);
  }
  pango_layout_set_attributes(layout.get(), attrs);
  pango_attr_list_unref(attrs);

  PangoAlignment align = format.h == HAlign::kCenter  ? PANGO_ALIGN_CENTER
                         : format.h == HAlign::kRight ? PANGO_ALIGN_RIGHT
                                                      : PANGO_ALIGN_LEFT;
  int x = r.x, y = r.y;
  pango_layout_set_alignment(layout.get(), align);
  if (format.word_wrap) {
    pango_layout_set_width(layout.get(), r.w * PANGO_SCALE);
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
  if (!format.word_wrap) {
    // One block of text placed by hand, so that text wider than r overflows both sides when
    // centred and is cut at the edges rather than wrapped or ellipsised.
    if (format.h == HAlign::kCenter) x = r.x + (r.w - logical.width) / 2;
    if (format.h == HAlign::kRight) x = r.Right() - logical.width;
  }
  if (format.v == VAlign::kCenter) y = r.y + (r.h - logical.height) / 2;
  if (format.v == VAlign::kBottom) y = r.Bottom() - logical.height;
  cairo_save(cr_);
  cairo_rectangle(cr_, text_clip.x, text_clip.y, text_clip.w, text_clip.h);
  cairo_clip(cr_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
  SetColour(cr_, c);
  cairo_move_to(cr_, x, y);
  pango_cairo_show_layout(cr_, layout.get());
  cairo_restore(cr_);
}

void Canvas::BeginPixels() { cairo_surface_flush(surface_); }

void Canvas::EndPixels(Rect r) {
  cairo_surface_mark_dirty_rectangle(surface_, r.x + origin_.x, r.y + origin_.y, r.w, r.h);
}

uint32_t* Canvas::PixelRow(int y) {
  unsigned char* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  return reinterpret_cast<uint32_t*>(data + size_t(y + origin_.y) * size_t(stride)) + origin_.x;
}

}  // namespace platform
