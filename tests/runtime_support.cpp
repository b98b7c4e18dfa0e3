#include "tests/runtime_support.h"

#include "runtime/program_interface.h"
#include "runtime/resources.h"

namespace test {

std::vector<std::pair<std::string, std::string>> EmbeddedFormTexts() {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& f : runtime::EmbeddedForms())
    out.emplace_back(std::string(f.name), std::string(f.bytes.begin(), f.bytes.end()));
  return out;
}

RuntimeHarness::RuntimeHarness(platform::Size screen, int depth) : h(screen, depth) {
  for (const auto& f : runtime::EmbeddedAssets())
    assets.emplace(std::string(f.name), runtime::Bytes(f.bytes.begin(), f.bytes.end()));
  form_texts = EmbeddedFormTexts();
  auto program = ProgramHandlers();
  handlers.assign(program.begin(), program.end());
}

runtime::Runtime& RuntimeHarness::Start() {
  runtime::RuntimeConfig config;
  for (const auto& [name, text] : form_texts) config.forms.push_back({name, text});
  config.assets = [this](std::string_view name) -> const runtime::Bytes* {
    auto it = assets.find(name);
    return it == assets.end() ? nullptr : &it->second;
  };
  config.handlers = handlers;
  auto icon = assets.find("program_icon.ico");
  config.default_icon = icon == assets.end() ? nullptr : &icon->second;
  config.change_directory = false;
  rt = std::make_unique<runtime::Runtime>(h.platform.get(), std::move(config));
  return *rt;
}

platform::WindowId RuntimeHarness::Top(uint32_t number) const {
  const runtime::LoadedWindow* w = rt->Loaded(number);
  return w ? w->id : platform::kNoWindow;
}

platform::WindowId RuntimeHarness::Control(uint32_t number, const std::string& name) const {
  const runtime::LoadedWindow* w = rt->Loaded(number);
  if (!w) return platform::kNoWindow;
  for (size_t i = 0; i < w->form->units.size(); ++i)
    if (w->form->units[i].name == name) return w->controls[i];
  return platform::kNoWindow;
}

uint32_t RuntimeHarness::Pixel(uint32_t number, int x, int y) {
  auto image = h.platform->CaptureClient(Top(number));
  return image ? ColourOf(image->At(x, y)) : 0xDEADBEEF;
}

void RuntimeHarness::Click(uint32_t number, const std::string& control) {
  platform::Rect r = h.platform->ChildRect(Control(number, control));
  h.backend->Click(Top(number), {r.x + r.w / 2, r.y + r.h / 2});
}

}  // namespace test
