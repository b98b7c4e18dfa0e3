// Draws the program's pictures and writes them into the given folder:
//   main_window.jpg   four costumed characters of 蓝砂纪, two at each side, on pale parchment;
//                     a progressive JPEG (JFIF 1.01, 96 x 96 per inch, three components),
//                     580 x 444, exactly 42,739 bytes (a comment segment fills what is left);
//   program_icon.ico  a character's face, one 64 x 64 image of 32 bits per pixel, opaque.
// Everything is drawn here from shapes and a fixed random seed, so a rerun gives the same files.
// It also writes the desktop icons, the same face at 16, 32, 64 and 128 pixels, as PNG files.
// Usage: make-assets ASSET_FOLDER ICON_FOLDER
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

// clang-format off: jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
// clang-format on

namespace {

constexpr int kWidth = 580, kHeight = 444;
constexpr size_t kJpegSize = 42739;

struct Rgb {
  double r, g, b;
};
Rgb Hex(uint32_t v) {
  return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}
void Source(cairo_t* cr, uint32_t v, double alpha = 1) {
  Rgb c = Hex(v);
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// Smooth value noise in 0..1, for the parchment's clouds.
struct Noise {
  std::vector<double> grid;
  int n;
  explicit Noise(int size, unsigned seed) : grid(size_t(size * size)), n(size) {
    std::mt19937 random(seed);
    for (double& v : grid) v = std::uniform_real_distribution<double>(0, 1)(random);
  }
  double At(double x, double y) const {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    double fx = x - x0, fy = y - y0;
    auto g = [&](int i, int j) { return grid[size_t(((j % n + n) % n) * n + ((i % n + n) % n))]; };
    auto s = [](double t) { return t * t * (3 - 2 * t); };
    double a = g(x0, y0) + (g(x0 + 1, y0) - g(x0, y0)) * s(fx);
    double b = g(x0, y0 + 1) + (g(x0 + 1, y0 + 1) - g(x0, y0 + 1)) * s(fx);
    return a + (b - a) * s(fy);
  }
};

void Parchment(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  Noise coarse(16, 7), fine(64, 11);
  for (int y = 0; y < kHeight; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < kWidth; ++x) {
      double n = 0.65 * coarse.At(x / 70.0, y / 70.0) + 0.35 * fine.At(x / 9.0, y / 9.0);
      double dx = (x - kWidth / 2.0) / (kWidth / 2.0), dy = (y - kHeight / 2.0) / (kHeight / 2.0);
      double vignette = std::max(0.0, std::sqrt(dx * dx + dy * dy) - 0.55);
      double shade = 1.0 - 0.07 * n - 0.22 * vignette * vignette * 2;
      int r = int(246 * shade), g = int(234 * shade), b = int(203 * shade - 8 * vignette);
      row[x] = 0xFF000000u | uint32_t(std::clamp(r, 0, 255)) << 16 |
               uint32_t(std::clamp(g, 0, 255)) << 8 | uint32_t(std::clamp(b, 0, 255));
    }
  }
  cairo_surface_mark_dirty(surface);
}

// Faint ink clouds and a distant mountain wash in the middle of the sheet.
void Scenery(cairo_t* cr) {
  Source(cr, 0x8A7A5A, 0.18);
  cairo_move_to(cr, 150, 330);
  cairo_curve_to(cr, 210, 230, 240, 250, 290, 190);
  cairo_curve_to(cr, 330, 240, 370, 220, 430, 330);
  cairo_close_path(cr);
  cairo_fill(cr);
  Source(cr, 0x6E5E40, 0.12);
  cairo_move_to(cr, 220, 330);
  cairo_curve_to(cr, 260, 280, 300, 300, 340, 250);
  cairo_curve_to(cr, 360, 290, 380, 300, 400, 330);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_set_line_width(cr, 2);
  for (int i = 0; i < 3; ++i) {
    double cx = 230 + i * 60, cy = 120 + (i % 2) * 26;
    Source(cr, 0xB08A50, 0.35);
    for (int k = 0; k < 3; ++k) {
      cairo_arc(cr, cx + k * 14, cy, 9 - k, M_PI, 2 * M_PI);
      cairo_stroke(cr);
    }
    cairo_move_to(cr, cx - 10, cy + 2);
    cairo_line_to(cr, cx + 44, cy + 2);
    cairo_stroke(cr);
  }
}

struct Costume {
  uint32_t robe, robe_dark, trim, hair, accent, sash;
  int weapon;  // 0 staff, 1 sword, 2 fan, 3 bow
  bool long_hair;
  bool facing_left;
};

void Character(cairo_t* cr, double cx, double ground, double scale, const Costume& c) {
  cairo_save(cr);
  cairo_translate(cr, cx, ground);
  cairo_scale(cr, c.facing_left ? -scale : scale, scale);
  // All coordinates below: feet at y = 0, head at y = -270, body centred on x = 0.
  Source(cr, 0x5A4630, 0.25);  // shadow
  cairo_save(cr);
  cairo_scale(cr, 1, 0.25);
  cairo_arc(cr, 0, 0, 60, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);

  if (c.long_hair) {  // hair falling behind the back
    Source(cr, c.hair);
    cairo_move_to(cr, -30, -250);
    cairo_curve_to(cr, -48, -180, -40, -120, -26, -95);
    cairo_line_to(cr, 28, -95);
    cairo_curve_to(cr, 42, -130, 46, -190, 30, -250);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  // Robe: flared to the hem, a darker underskirt showing at the front.
  cairo_pattern_t* robe = cairo_pattern_create_linear(-55, 0, 55, 0);
  Rgb a = Hex(c.robe), b = Hex(c.robe_dark);
  cairo_pattern_add_color_stop_rgb(robe, 0, b.r, b.g, b.b);
  cairo_pattern_add_color_stop_rgb(robe, 0.45, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(robe, 1, b.r, b.g, b.b);
  cairo_set_source(cr, robe);
  cairo_move_to(cr, -26, -200);
  cairo_curve_to(cr, -40, -150, -58, -60, -64, -4);
  cairo_curve_to(cr, -20, 6, 20, 6, 64, -4);
  cairo_curve_to(cr, 58, -60, 40, -150, 26, -200);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(robe);
  Source(cr, c.robe_dark);
  cairo_move_to(cr, -8, -120);
  cairo_line_to(cr, -22, -2);
  cairo_line_to(cr, 22, -2);
  cairo_line_to(cr, 8, -120);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Gold trim along the hem and the front opening.
  Source(cr, c.trim);
  cairo_set_line_width(cr, 4);
  cairo_move_to(cr, -62, -8);
  cairo_curve_to(cr, -20, 2, 20, 2, 62, -8);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, -4, -200);
  cairo_line_to(cr, -14, -4);
  cairo_stroke(cr);
  // Sash with a knot and hanging ribbons.
  Source(cr, c.sash);
  cairo_rectangle(cr, -30, -150, 60, 14);
  cairo_fill(cr);
  cairo_move_to(cr, 6, -138);
  cairo_curve_to(cr, 14, -110, 4, -90, 16, -70);
  cairo_line_to(cr, 24, -72);
  cairo_curve_to(cr, 14, -92, 24, -112, 14, -138);
  cairo_fill(cr);
  // Sleeves: wide, hanging.
  Source(cr, c.robe);
  cairo_move_to(cr, -24, -196);
  cairo_curve_to(cr, -60, -180, -74, -130, -70, -100);
  cairo_line_to(cr, -40, -104);
  cairo_curve_to(cr, -42, -130, -34, -160, -20, -170);
  cairo_fill(cr);
  cairo_move_to(cr, 24, -196);
  cairo_curve_to(cr, 60, -180, 72, -140, 66, -112);
  cairo_line_to(cr, 38, -116);
  cairo_curve_to(cr, 40, -140, 34, -160, 20, -170);
  cairo_fill(cr);
  Source(cr, c.trim);
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, -70, -100);
  cairo_line_to(cr, -40, -104);
  cairo_move_to(cr, 66, -112);
  cairo_line_to(cr, 38, -116);
  cairo_stroke(cr);
  // Hands.
  Source(cr, 0xF6D3B4);
  cairo_arc(cr, -54, -98, 7, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, 52, -110, 7, 0, 2 * M_PI);
  cairo_fill(cr);
  // Weapon, held in the front hand.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (c.weapon) {
    case 0:  // staff with a ringed head
      Source(cr, 0x6B4423);
      cairo_set_line_width(cr, 5);
      cairo_move_to(cr, 52, -250);
      cairo_line_to(cr, 52, 0);
      cairo_stroke(cr);
      Source(cr, c.accent);
      cairo_set_line_width(cr, 3);
      cairo_arc(cr, 52, -262, 14, 0, 2 * M_PI);
      cairo_stroke(cr);
      cairo_arc(cr, 52, -262, 5, 0, 2 * M_PI);
      cairo_fill(cr);
      break;
    case 1:  // sword raised across the body
      Source(cr, 0xD8DEE8);
      cairo_set_line_width(cr, 5);
      cairo_move_to(cr, 52, -110);
      cairo_line_to(cr, 100, -250);
      cairo_stroke(cr);
      Source(cr, c.accent);
      cairo_set_line_width(cr, 7);
      cairo_move_to(cr, 40, -118);
      cairo_line_to(cr, 64, -104);
      cairo_stroke(cr);
      break;
    case 2:  // folding fan
      Source(cr, c.accent, 0.9);
      cairo_move_to(cr, 52, -110);
      cairo_arc(cr, 52, -110, 46, -2.3, -0.9);
      cairo_close_path(cr);
      cairo_fill(cr);
      Source(cr, 0x4A3020);
      cairo_set_line_width(cr, 1.5);
      for (int i = 0; i <= 6; ++i) {
        double t = -2.3 + i * (1.4 / 6);
        cairo_move_to(cr, 52, -110);
        cairo_line_to(cr, 52 + 46 * std::cos(t), -110 + 46 * std::sin(t));
      }
      cairo_stroke(cr);
      break;
    default:  // bow
      Source(cr, 0x7A4A22);
      cairo_set_line_width(cr, 4);
      cairo_arc(cr, 30, -150, 90, -1.2, 1.2);
      cairo_stroke(cr);
      Source(cr, 0xEDE6D6);
      cairo_set_line_width(cr, 1);
      cairo_move_to(cr, 30 + 90 * std::cos(-1.2), -150 + 90 * std::sin(-1.2));
      cairo_line_to(cr, 30 + 90 * std::cos(1.2), -150 + 90 * std::sin(1.2));
      cairo_stroke(cr);
      break;
  }
  // Neck and head.
  Source(cr, 0xF6D3B4);
  cairo_rectangle(cr, -7, -214, 14, 18);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 0, -238);
  cairo_scale(cr, 1, 1.12);
  cairo_arc(cr, 0, 0, 25, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_fill(cr);
  // Eyes, brows, mouth, blush.
  Source(cr, 0x2A1A12);
  for (double ex : {-9.0, 9.0}) {
    cairo_save(cr);
    cairo_translate(cr, ex, -238);
    cairo_scale(cr, 1, 1.4);
    cairo_arc(cr, 0, 0, 3.2, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
  }
  cairo_set_line_width(cr, 1.5);
  cairo_move_to(cr, -14, -248);
  cairo_line_to(cr, -5, -250);
  cairo_move_to(cr, 5, -250);
  cairo_line_to(cr, 14, -248);
  cairo_stroke(cr);
  Source(cr, 0xB5473A);
  cairo_move_to(cr, -4, -223);
  cairo_curve_to(cr, -1, -220, 1, -220, 4, -223);
  cairo_stroke(cr);
  Source(cr, 0xF09A8A, 0.5);
  cairo_arc(cr, -14, -229, 4, 0, 2 * M_PI);
  cairo_arc(cr, 14, -229, 4, 0, 2 * M_PI);
  cairo_fill(cr);
  // Hair on top, with a fringe, a bun and an ornament.
  Source(cr, c.hair);
  cairo_move_to(cr, -27, -236);
  cairo_curve_to(cr, -32, -282, 32, -282, 27, -236);
  cairo_curve_to(cr, 18, -254, 4, -258, 0, -248);
  cairo_curve_to(cr, -6, -258, -20, -254, -27, -236);
  cairo_fill(cr);
  cairo_arc(cr, 0, -276, 12, 0, 2 * M_PI);
  cairo_fill(cr);
  Source(cr, c.accent);
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, -20, -282);
  cairo_line_to(cr, 22, -270);
  cairo_stroke(cr);
  cairo_arc(cr, 22, -270, 4, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
}

std::vector<unsigned char> EncodeJpeg(cairo_surface_t* surface, int quality, size_t comment_bytes) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  jpeg_mem_dest(&info, &out, &out_size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_simple_progression(&info);
  info.write_JFIF_header = TRUE;
  info.JFIF_major_version = 1;
  info.JFIF_minor_version = 1;
  info.density_unit = 1;  // dots per inch
  info.X_density = 96;
  info.Y_density = 96;
  jpeg_start_compress(&info, TRUE);
  if (comment_bytes) {
    std::string comment = "蓝砂纪礼包大全 ";
    while (comment.size() < comment_bytes) comment += '.';
    comment.resize(comment_bytes);
    jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(comment.data()),
                      unsigned(comment.size()));
  }
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  std::vector<JSAMPLE> row(kWidth * 3);
  while (info.next_scanline < info.image_height) {
    const auto* px = reinterpret_cast<const uint32_t*>(data + info.next_scanline * stride);
    for (int x = 0; x < kWidth; ++x) {
      row[x * 3] = JSAMPLE(px[x] >> 16), row[x * 3 + 1] = JSAMPLE(px[x] >> 8),
              row[x * 3 + 2] = JSAMPLE(px[x]);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<unsigned char> bytes(out, out + out_size);
  std::free(out);
  jpeg_destroy_compress(&info);
  return bytes;
}

void DrawIcon(cairo_t* cr) {
  // A character's face close up, on an opaque deep-blue tile.
  cairo_pattern_t* back = cairo_pattern_create_radial(32, 28, 4, 32, 32, 46);
  cairo_pattern_add_color_stop_rgb(back, 0, 0.25, 0.45, 0.80);
  cairo_pattern_add_color_stop_rgb(back, 1, 0.08, 0.14, 0.38);
  cairo_set_source(cr, back);
  cairo_paint(cr);
  cairo_pattern_destroy(back);
  Source(cr, 0x2B1B14);  // hair behind
  cairo_arc(cr, 32, 30, 25, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_rectangle(cr, 8, 30, 48, 30);
  cairo_fill(cr);
  Source(cr, 0xF6D3B4);  // face
  cairo_save(cr);
  cairo_translate(cr, 32, 36);
  cairo_scale(cr, 1, 1.12);
  cairo_arc(cr, 0, 0, 18, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_fill(cr);
  Source(cr, 0x2B1B14);  // fringe
  cairo_move_to(cr, 12, 34);
  cairo_curve_to(cr, 12, 6, 52, 6, 52, 34);
  cairo_curve_to(cr, 44, 22, 36, 22, 32, 28);
  cairo_curve_to(cr, 28, 22, 20, 22, 12, 34);
  cairo_fill(cr);
  for (double ex : {25.0, 39.0}) {  // eyes with highlights
    Source(cr, 0x3A2416);
    cairo_save(cr);
    cairo_translate(cr, ex, 38);
    cairo_scale(cr, 1, 1.35);
    cairo_arc(cr, 0, 0, 3.6, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
    Source(cr, 0xFFFFFF);
    cairo_arc(cr, ex + 1.2, 36.5, 1.2, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  Source(cr, 0xF09A8A, 0.6);
  cairo_arc(cr, 21, 45, 3, 0, 2 * M_PI);
  cairo_arc(cr, 43, 45, 3, 0, 2 * M_PI);
  cairo_fill(cr);
  Source(cr, 0xB5473A);
  cairo_set_line_width(cr, 1.6);
  cairo_move_to(cr, 29, 50);
  cairo_curve_to(cr, 31, 52, 33, 52, 35, 50);
  cairo_stroke(cr);
  Source(cr, 0xD23A3A);  // hair ornament
  cairo_arc(cr, 50, 16, 5, 0, 2 * M_PI);
  cairo_fill(cr);
  Source(cr, 0xF2C14E);
  cairo_arc(cr, 50, 16, 2, 0, 2 * M_PI);
  cairo_fill(cr);
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::vector<unsigned char> IconFile(cairo_surface_t* surface) {
  // ICONDIR, one ICONDIRENTRY, then a 32-bit DIB: colour rows bottom-up and an all-clear mask.
  const int size = 64;
  std::vector<unsigned char> out;
  auto u16 = [&](unsigned v) { out.push_back(v & 255), out.push_back((v >> 8) & 255); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  const uint32_t mask_bytes = size * 4 * 2;  // rows of 64 bits, padded to 32 bits: 8 bytes
  const uint32_t dib = 40 + size * size * 4 + size * 8;
  u16(0), u16(1), u16(1);
  out.push_back(size), out.push_back(size), out.push_back(0), out.push_back(0);
  u16(1), u16(32), u32(dib), u32(6 + 16);
  u32(40), u32(size), u32(size * 2), u16(1), u16(32), u32(0), u32(size * size * 4 + mask_bytes);
  u32(0), u32(0), u32(0), u32(0);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = size - 1; y >= 0; --y) {
    const auto* px = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < size; ++x) u32(px[x] | 0xFF000000u);
  }
  for (int i = 0; i < size * 8; ++i) out.push_back(0);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ASSET_FOLDER ICON_FOLDER\n", argv[0]);
    return 1;
  }
  const std::string folder = argv[1], icons = argv[2];
  cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
  Parchment(picture);
  cairo_t* cr = cairo_create(picture);
  Scenery(cr);
  const Costume costumes[] = {
      {0xC8382E, 0x7E1E18, 0xE7B94C, 0x1E1410, 0x3A8FD0, 0x2F5E8C, 0, true,
       false},  // red robe, staff
      {0x3D7FC4, 0x1F4A7E, 0xF0D27A, 0x2A1A12, 0xD23A3A, 0xE7B94C, 2, true,
       false},  // blue robe, fan
      {0x3E9A6A, 0x1F5A3C, 0xE8D08A, 0x3A2414, 0xE06A2A, 0x8A2C5A, 1, false,
       true},  // green robe, sword
      {0x8E4FB0, 0x55286E, 0xF2C14E, 0x17110E, 0x48B0A8, 0xC8382E, 3, true,
       true},  // purple robe, bow
  };
  Character(cr, 70, 440, 1.12, costumes[0]);
  Character(cr, 168, 430, 1.0, costumes[1]);
  Character(cr, 412, 430, 1.0, costumes[2]);
  Character(cr, 510, 440, 1.12, costumes[3]);
  cairo_destroy(cr);

  // The highest quality that leaves room for a comment segment (4 bytes of header at least).
  std::vector<unsigned char> jpeg;
  int quality = 100;
  for (; quality > 5; --quality) {
    jpeg = EncodeJpeg(picture, quality, 0);
    if (jpeg.size() + 4 <= kJpegSize) break;
  }
  jpeg = EncodeJpeg(picture, quality, kJpegSize - jpeg.size() - 4);
  if (jpeg.size() != kJpegSize) {
    std::fprintf(stderr, "the picture came out at %zu bytes, not %zu\n", jpeg.size(), kJpegSize);
    return 1;
  }
  cairo_surface_destroy(picture);

  cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64);
  cr = cairo_create(icon);
  DrawIcon(cr);
  cairo_destroy(cr);
  auto ico = IconFile(icon);
  for (int size : {16, 32, 64, 128}) {
    cairo_surface_t* scaled = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* s = cairo_create(scaled);
    cairo_scale(s, size / 64.0, size / 64.0);
    cairo_set_source_surface(s, icon, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(s), CAIRO_FILTER_BEST);
    cairo_pattern_set_extend(cairo_get_source(s), CAIRO_EXTEND_PAD);
    cairo_paint(s);
    cairo_destroy(s);
    std::string name = icons + "/lanshaji-gifts-" + std::to_string(size) + ".png";
    if (cairo_surface_write_to_png(scaled, name.c_str()) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "cannot write %s\n", name.c_str());
      return 1;
    }
    cairo_surface_destroy(scaled);
  }
  cairo_surface_destroy(icon);

  if (!WriteFile(folder + "/main_window.jpg", jpeg) ||
      !WriteFile(folder + "/program_icon.ico", ico)) {
    std::perror("make-assets");
    return 1;
  }
  std::printf("main_window.jpg: %zu bytes at quality %d; program_icon.ico: %zu bytes\n",
              jpeg.size(), quality, ico.size());
  return 0;
}
