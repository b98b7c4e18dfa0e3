// The baseline: the main window's pixels (and, on a click on the button, the gift-sources
// window's) drawn with straight Xlib, cairo, Pango and libjpeg: no run time, no form loader, no
// platform layer. It is the floor that bench/measure.sh holds the program against.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// clang-format off: jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
// clang-format on

namespace {

struct Label {
  int x, y, w, h;
  const char* text;
  int direction;  // 0: plain button face
  uint32_t c[3];  // 0xRRGGBB
  int font_px;
  bool centred;
};

const Label kMainLabels[] = {
    {48,
     8,
     512,
     32,
     "本礼包大全由蓝砂纪58区玩家棠棠整理",
     1,
     {0x800000, 0x008080, 0x008080},
     12,
     true},
    {16, 416, 104, 32, "联系QQ 1357924680", 6, {0xFF0000, 0xFFFFFF, 0xFF5080}, 12, false},
};
const Label kGiftLabels[] = {
    {72, 8, 192, 16, "微信礼包", 1, {0x008080, 0xFFFFFF, 0x800000}, 12, true},
    {8,
     32,
     552,
     24,
     "打开微信，添加蓝砂纪微信公众号！即可领取，目前有国庆礼包 tfhmzc 具体以当前官方微信为准",
     0,
     {},
     12,
     false},
    {72, 64, 184, 16, "手机APP礼包", 2, {0x00FFFF, 0xFFFFFF, 0x008080}, 12, true},
    {8,
     88,
     600,
     24,
     "可手机安装 九游 大手礼包 手游礼包大全  等等  可以百度搜索  不一一列举",
     0,
     {},
     12,
     false},
    {72, 120, 192, 24, "手机平台礼包", 6, {0x808080, 0xFFFFFF, 0x808080}, 12, true},
    {8,
     152,
     696,
     16,
     "蓝砂纪平台众多！ 每个平台几乎有自己的礼包可以领取！ 还有一些手机礼包通用！例如OPPO "
     "兑换码所有版本通用",
     0,
     {},
     12,
     false},
    {256, 176, 104, 40, "另", 0, {}, 35, false},
    {32,
     216,
     672,
     40,
     "本人诚信代充蓝砂纪元宝 首冲42折  后续44折  可进群询问信誉，也可以前往 58 59 35 75 76 "
     "等区询问棠棠代充信誉",
     6,
     {0xFF0000, 0x008080, 0xFF0000},
     12,
     false},
    {352, 288, 440, 32, "如有不懂，欢迎大家进群或者添加我好友交流", 0, {}, 12, false},
    {64,
     320,
     552,
     40,
     "QQ 1357924680    群246813579",
     1,
     {0x008080, 0xFFFFFF, 0x808080},
     35,
     false},
    {272, 264, 192, 24, "淘宝店铺后续开通中  敬请期待！", 0, {}, 12, false},
};

uint32_t Gradient(int dir, int w, int h, int x, int y, const uint32_t* c) {
  int s = (dir == 1) ? h : w, p = dir == 1 ? y : dir == 2 ? x : w - 1 - x;
  int seg = s / 2, i = seg ? p / seg : 0;
  if (i > 1) return c[2];
  int num = seg ? p % seg : 0;
  uint32_t out = 0;
  for (int sh = 0; sh < 24; sh += 8) {
    int a = (c[i] >> sh) & 255, b = (c[i + 1] >> sh) & 255;
    out |= uint32_t(a + (seg ? num * (b - a) / seg : 0)) << sh;
  }
  return out;
}

void Text(cairo_t* cr, PangoContext* ctx, const char* text, int x, int y, int w, int h, int px,
          bool centred, double r, double g, double b, const char* family = "Noto Sans CJK SC",
          bool underline = false) {
  PangoLayout* layout = pango_layout_new(ctx);
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, family);
  pango_font_description_set_absolute_size(d, px * PANGO_SCALE);
  pango_layout_set_font_description(layout, d);
  pango_layout_set_text(layout, text, -1);
  if (underline) {
    PangoAttrList* a = pango_attr_list_new();
    pango_attr_list_insert(a, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, a);
    pango_attr_list_unref(a);
  }
  PangoRectangle lr;
  pango_layout_get_pixel_extents(layout, nullptr, &lr);
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_move_to(cr, centred ? x + (w - lr.width) / 2 : x, y + (h - lr.height) / 2);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
  pango_font_description_free(d);
  g_object_unref(layout);
}

void DrawLabel(cairo_surface_t* s, cairo_t* cr, PangoContext* ctx, const Label& l) {
  if (l.direction) {
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s), sw = cairo_image_surface_get_width(s),
        sh = cairo_image_surface_get_height(s);
    for (int y = 0; y < l.h && l.y + y < sh; ++y)
      for (int x = 0; x < l.w && l.x + x < sw; ++x)
        reinterpret_cast<uint32_t*>(data + (l.y + y) * stride)[l.x + x] =
            0xFF000000u | Gradient(l.direction, l.w, l.h, x, y, l.c);
    cairo_surface_mark_dirty(s);
  } else {
    cairo_set_source_rgb(cr, 0xF0 / 255.0, 0xF0 / 255.0, 0xF0 / 255.0);
    cairo_rectangle(cr, l.x, l.y, l.w, l.h);
    cairo_fill(cr);
  }
  Text(cr, ctx, l.text, l.x, l.y, l.w, l.h, l.font_px, l.centred, 0, 0, 0);
}

cairo_surface_t* DecodeJpeg(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  jpeg_decompress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;  // cairo's byte order, straight from libjpeg-turbo
  jpeg_start_decompress(&info);
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(info.output_width),
                                                  int(info.output_height));
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = data + info.output_scanline * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  cairo_surface_mark_dirty(s);
  return s;
}

struct Win {
  Window xid = 0;
  cairo_surface_t* pixels = nullptr;
  XImage* image = nullptr;
};

Win Open(Display* d, const char* title, int w, int h, cairo_surface_t* pixels,
         Window transient_for) {
  Win win;
  int sw = DisplayWidth(d, DefaultScreen(d)), sh = DisplayHeight(d, DefaultScreen(d));
  XSetWindowAttributes a{};
  a.background_pixmap = None;
  a.event_mask = ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask;
  win.xid =
      XCreateWindow(d, DefaultRootWindow(d), (sw - w) / 2, (sh - h - 20) / 2, w, h, 0,
                    CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &a);
  Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  XChangeProperty(d, win.xid, XA_WM_NAME, utf8, 8, PropModeReplace, (const unsigned char*)title,
                  int(strlen(title)));
  XChangeProperty(d, win.xid, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                  (const unsigned char*)title, int(strlen(title)));
  XSizeHints hints{};
  hints.flags = PPosition | PMinSize | PMaxSize;
  hints.min_width = hints.max_width = w;
  hints.min_height = hints.max_height = h;
  XSetWMNormalHints(d, win.xid, &hints);
  if (transient_for) XSetTransientForHint(d, win.xid, transient_for);
  win.pixels = pixels;
  cairo_surface_flush(pixels);
  win.image = XCreateImage(d, DefaultVisual(d, DefaultScreen(d)), 24, ZPixmap, 0,
                           (char*)cairo_image_surface_get_data(pixels), w, h, 32,
                           cairo_image_surface_get_stride(pixels));
  XMapWindow(d, win.xid);
  return win;
}

cairo_surface_t* MainPixels(PangoContext* ctx) {
  cairo_surface_t* pic = DecodeJpeg(std::string(ASSET_DIR) + "/main_window.jpg");
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 580, 449);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_surface(cr, pic, 0, 0);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_REPEAT);
  cairo_paint(cr);
  for (const Label& l : kMainLabels) DrawLabel(s, cr, ctx, l);
  // 标签4: sunken edge, button face, magenta text.
  cairo_set_source_rgb(cr, 0xF0 / 255.0, 0xF0 / 255.0, 0xF0 / 255.0);
  cairo_rectangle(cr, 240, 408, 160, 32);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0xA0 / 255.0, 0xA0 / 255.0, 0xA0 / 255.0);
  cairo_rectangle(cr, 240, 408, 160, 1);
  cairo_rectangle(cr, 240, 408, 1, 32);
  cairo_fill(cr);
  Text(cr, ctx, "玩家交流群 246813579", 242, 410, 156, 28, 12, false, 1, 0, 1);
  // 按钮1: raised face, underlined serif caption, focus rectangle.
  cairo_set_source_rgb(cr, 0xF0 / 255.0, 0xF0 / 255.0, 0xF0 / 255.0);
  cairo_rectangle(cr, 432, 408, 160, 32);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0x69 / 255.0, 0x69 / 255.0, 0x69 / 255.0);
  cairo_rectangle(cr, 432, 439, 160, 1);
  cairo_rectangle(cr, 591, 408, 1, 32);
  cairo_fill(cr);
  Text(cr, ctx, "单击我获取礼包", 436, 412, 152, 24, 12, true, 0, 0, 0, "Noto Serif CJK SC", true);
  cairo_destroy(cr);
  cairo_surface_destroy(pic);
  return s;
}

cairo_surface_t* GiftPixels(PangoContext* ctx) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 724, 376);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, 0xF0 / 255.0, 0xF0 / 255.0, 0xF0 / 255.0);
  cairo_paint(cr);
  for (auto it = std::rbegin(kGiftLabels); it != std::rend(kGiftLabels); ++it)
    DrawLabel(s, cr, ctx, *it);
  cairo_destroy(cr);
  return s;
}

}  // namespace

int main() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;
  PangoFontMap* map = pango_cairo_font_map_new();
  PangoContext* ctx = pango_font_map_create_context(map);
  Win main = Open(d, "baseline 蓝砂纪礼包大全", 580, 449, MainPixels(ctx), 0);
  Win gifts;
  GC gc = DefaultGC(d, DefaultScreen(d));
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    Win* w = e.xany.window == main.xid ? &main : e.xany.window == gifts.xid ? &gifts : nullptr;
    if (!w) continue;
    if (e.type == Expose || e.type == MapNotify) {
      XPutImage(d, w->xid, gc, w->image, 0, 0, 0, 0, w->image->width, w->image->height);
    } else if (e.type == ButtonPress && w == &main && !gifts.xid && e.xbutton.x >= 432 &&
               e.xbutton.y >= 408) {
      gifts = Open(d, "baseline 部分礼包仅供参考", 724, 376, GiftPixels(ctx), main.xid);
    } else if (e.type == KeyPress && XLookupKeysym(&e.xkey, 0) == XK_Escape) {
      if (w == &main) break;
      XDestroyWindow(d, gifts.xid);
      gifts.image->data = nullptr;
      XDestroyImage(gifts.image);
      cairo_surface_destroy(gifts.pixels);
      gifts = Win();
    }
  }
  XCloseDisplay(d);
  return 0;
}
