// The text set-up: the narrowed font configuration must draw exactly what the system's does.
#include "platform/text_setup.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using platform::NarrowedFontConfig;

const std::vector<std::string> kOwnFamilies = {"Noto Sans CJK SC", "Noto Serif CJK SC"};

// The pixels of a few lines in each family, drawn through a context over `config`.
std::vector<unsigned char> Draw(FcConfig* config) {
  PangoContext* ctx = platform::NewTextContext(config);
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 320, 120);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  PangoLayout* layout = pango_layout_new(ctx);
  const char* descriptions[] = {"Noto Sans CJK SC 12px", "Noto Serif CJK SC Bold 35px",
                                "Noto Sans CJK SC Italic 17px"};
  for (const char* d : descriptions) {
    PangoFontDescription* desc = pango_font_description_from_string(d);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout, "蓝砂纪礼包 QQ 246813579 &gW", -1);
    pango_cairo_show_layout(cr, layout);
    cairo_translate(cr, 0, 38);
  }
  g_object_unref(layout);
  g_object_unref(ctx);
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  std::vector<unsigned char> pixels(data, data + cairo_image_surface_get_stride(s) * 120);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return pixels;
}

TEST(TextSetUpTest, TheNarrowedConfigurationDrawsWhatTheSystemsDraws) {
  FcConfig* narrowed = NarrowedFontConfig(kOwnFamilies);
  ASSERT_NE(narrowed, nullptr) << "the program's own faces are installed on this machine";
  FcConfig* system = FcInitLoadConfigAndFonts();
  ASSERT_NE(system, nullptr);
  auto mine = Draw(narrowed), theirs = Draw(system);
  EXPECT_TRUE(mine == theirs);
  FcConfigDestroy(narrowed);
  FcConfigDestroy(system);
}

TEST(TextSetUpTest, TheSystemConfigurationHoldsWhenNarrowingWouldChangeTheText) {
  // A face from elsewhere would be drawn with another face.
  EXPECT_EQ(NarrowedFontConfig({"Noto Sans CJK SC", "DejaVu Sans"}), nullptr);
  EXPECT_EQ(NarrowedFontConfig({"No Such Face"}), nullptr);
  // A configuration the user chose is not second-guessed.
  for (const char* variable : {"FONTCONFIG_FILE", "FONTCONFIG_PATH"}) {
    setenv(variable, "/etc/fonts/fonts.conf", 1);
    EXPECT_EQ(NarrowedFontConfig(kOwnFamilies), nullptr) << variable;
    unsetenv(variable);
  }
}

}  // namespace
