#include "platform/text_setup.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <pthread.h>

#include <algorithm>
#include <cstdlib>
#include <future>
#include <mutex>
#include <system_error>

namespace platform {
namespace {

// Only the directory where the Noto CJK package installs the faces the Chinese face names map to,
// the system's caches for it, and the rules of the system's configuration that change how those
// faces are drawn: an oblique slant and emboldening made up for a style a face lacks.
constexpr const char* kNarrowedConfig = R"(<fontconfig>
  <dir>/usr/share/fonts/opentype/noto</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <match target="font">
    <test name="slant"><const>roman</const></test>
    <test target="pattern" name="slant" compare="not_eq"><const>roman</const></test>
    <edit name="matrix" mode="assign">
      <times><name>matrix</name>
        <matrix><double>1</double><double>0.2</double><double>0</double><double>1</double></matrix>
      </times>
    </edit>
    <edit name="slant" mode="assign"><const>oblique</const></edit>
    <edit name="embeddedbitmap" mode="assign"><bool>false</bool></edit>
  </match>
  <match target="font">
    <test name="weight" compare="less_eq"><const>medium</const></test>
    <test target="pattern" name="weight" compare="more_eq"><const>bold</const></test>
    <edit name="embolden" mode="assign"><bool>true</bool></edit>
    <edit name="weight" mode="assign"><const>bold</const></edit>
  </match>
  <match target="pattern">
    <edit name="lcdfilter" mode="append"><const>lcddefault</const></edit>
  </match>
</fontconfig>)";

}  // namespace

PangoContext* NewTextContext(FcConfig* config) {
  PangoFontMap* map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
  if (config) pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), config);
  PangoContext* ctx = pango_font_map_create_context(map);
  g_object_unref(map);
  cairo_font_options_t* opts = cairo_font_options_create();
  cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(ctx, opts);
  cairo_font_options_destroy(opts);
  pango_cairo_context_set_resolution(ctx, 96);
  pango_context_set_round_glyph_positions(ctx, TRUE);
  return ctx;
}

namespace {

// Drawing a few characters in each font reads its face, builds its shaping data and fills the
// glyph cache for its size, so that none of it happens while the first window is painted.
void LoadFaces(PangoContext* ctx, const std::vector<Font>& fonts) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(scratch);
  PangoLayout* layout = pango_layout_new(ctx);
  pango_layout_set_text(layout, "礼包 Aa1", -1);
  for (const Font& f : fonts) {
    pango_layout_set_font_description(layout, f.Description());
    pango_cairo_show_layout(cr, layout);
  }
  g_object_unref(layout);
  cairo_destroy(cr);
  cairo_surface_destroy(scratch);
}

PangoContext* SetUpText(const std::vector<Font>& fonts) {
  std::vector<std::string> families;
  for (const Font& f : fonts)
    if (std::find(families.begin(), families.end(), f.family()) == families.end())
      families.push_back(f.family());
  if (FcConfig* narrowed = NarrowedFontConfig(families)) {
    FcConfigSetCurrent(narrowed);  // takes its own reference
    FcConfigDestroy(narrowed);
  }
  PangoContext* ctx = NewTextContext(nullptr);
  LoadFaces(ctx, fonts);
  return ctx;
}

std::mutex g_start;
std::shared_future<PangoContext*> g_context;

}  // namespace

void StartTextSetUp(std::vector<Font> fonts) {
  std::lock_guard lock(g_start);
  if (g_context.valid()) return;
  auto work = [fonts = std::move(fonts)] { return SetUpText(fonts); };
  try {
    g_context = std::async(std::launch::async, [work] {
                  pthread_setname_np(pthread_self(), "text set-up");  // for profilers
                  return work();
                }).share();
  } catch (const std::system_error&) {
    // No thread to be had: the set-up runs when the first text is drawn.
    g_context = std::async(std::launch::deferred, work).share();
  }
}

PangoContext* TextContext() {
  StartTextSetUp({Font::DefaultGui()});
  return g_context.get();
}

FcConfig* NarrowedFontConfig(const std::vector<std::string>& families) {
  if (std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH") ||
      std::getenv("FONTCONFIG_SYSROOT"))
    return nullptr;
  FcConfig* config = FcConfigCreate();
  bool usable = config &&
                FcConfigParseAndLoadFromMemory(
                    config, reinterpret_cast<const FcChar8*>(kNarrowedConfig), FcFalse) &&
                FcConfigBuildFonts(config);
  FcObjectSet* family_only = FcObjectSetBuild(FC_FAMILY, nullptr);
  for (size_t i = 0; usable && i < families.size(); ++i) {
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(families[i].c_str()));
    FcFontSet* found = FcFontList(config, p, family_only);
    usable = found && found->nfont > 0;
    if (found) FcFontSetDestroy(found);
    FcPatternDestroy(p);
  }
  if (family_only) FcObjectSetDestroy(family_only);
  if (!usable && config) {
    FcConfigDestroy(config);
    config = nullptr;
  }
  return config;
}

}  // namespace platform
