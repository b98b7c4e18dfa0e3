// Micro-benchmarks of the parts the start-up and the modal round trip are made of.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include "platform/canvas.h"
#include "platform/picture/decode.h"
#include "platform/text_setup.h"
#include "runtime/gradient.h"
#include "runtime/program_interface.h"
#include "runtime/resources.h"
#include "tests/test_support.h"

namespace {

const runtime::EmbeddedFile* Find(std::span<const runtime::EmbeddedFile> files,
                                  std::string_view name) {
  for (const auto& f : files)
    if (f.name == name) return &f;
  return nullptr;
}

void BM_DecodeMainPicture(benchmark::State& state) {
  auto bytes = Find(runtime::EmbeddedAssets(), "main_window.jpg")->bytes;
  for (auto _ : state) benchmark::DoNotOptimize(platform::DecodePicture(bytes));
}
BENCHMARK(BM_DecodeMainPicture)->Unit(benchmark::kMillisecond);

void BM_LoadBothForms(benchmark::State& state) {
  runtime::RuntimeConfig config = runtime::EmbeddedConfig(ProgramHandlers());
  for (auto _ : state)
    for (const auto& f : config.forms)
      benchmark::DoNotOptimize(runtime::LoadForm(f.name, f.text, config.assets));
}
BENCHMARK(BM_LoadBothForms)->Unit(benchmark::kMicrosecond);

void BM_GradientLabelFill(benchmark::State& state) {
  // 标签1 of the main window: 512 x 32, top to bottom, three colours.
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 512, 32);
  auto colours = runtime::UsableColours({0x00000080, 0x00808000, 0x00808000});
  for (auto _ : state) {
    platform::Canvas c(s, {0, 0}, {0, 0, 512, 32});
    c.FillPixels({0, 0, 512, 32},
                 [&](int x, int y) { return runtime::GradientColour(1, 512, 32, x, y, colours); });
  }
  cairo_surface_destroy(s);
}
BENCHMARK(BM_GradientLabelFill)->Unit(benchmark::kMicrosecond);

struct Program {
  test::HeadlessPlatform h;
  std::unique_ptr<runtime::Runtime> rt;
  Program() {
    runtime::RuntimeConfig config = runtime::EmbeddedConfig(ProgramHandlers());
    config.change_directory = false;
    rt = std::make_unique<runtime::Runtime>(h.platform.get(), std::move(config));
    rt->InitRuntime();
    rt->LoadStartWindow(0x52010001);
  }
};

void Repaint(benchmark::State& state, uint32_t window) {
  Program p;
  if (window != 0x52010001) p.rt->LoadWindow({window, 0}, std::nullopt, false);
  platform::WindowId id = p.rt->Loaded(window)->id;
  for (auto _ : state) {
    p.h.platform->Invalidate(id);
    p.h.platform->UpdateWindow(id);
  }
}
void BM_RepaintMainWindow(benchmark::State& state) { Repaint(state, 0x52010001); }
void BM_RepaintGiftSourcesWindow(benchmark::State& state) { Repaint(state, 0x52010008); }
BENCHMARK(BM_RepaintMainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintGiftSourcesWindow)->Unit(benchmark::kMillisecond);

void BM_BuildAndDestroyGiftSourcesWindow(benchmark::State& state) {
  Program p;
  for (auto _ : state) {
    p.rt->LoadWindow({0x52010008, 0x06010007}, std::nullopt, false);
    p.rt->CloseWindow(0x52010008);
  }
}
BENCHMARK(BM_BuildAndDestroyGiftSourcesWindow)->Unit(benchmark::kMillisecond);

// Font set-up: the configuration narrowed to the program's own faces against the system's.
void BM_FontConfigNarrowed(benchmark::State& state) {
  for (auto _ : state)
    if (FcConfig* c = platform::NarrowedFontConfig({"Noto Sans CJK SC", "Noto Serif CJK SC"}))
      FcConfigDestroy(c);
}
BENCHMARK(BM_FontConfigNarrowed)->Unit(benchmark::kMillisecond);

void BM_FontConfigSystem(benchmark::State& state) {
  for (auto _ : state) FcConfigDestroy(FcInitLoadConfigAndFonts());
}
BENCHMARK(BM_FontConfigSystem)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
