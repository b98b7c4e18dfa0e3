// Any text as a form description: the loader reports or accepts it, and never crashes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/form_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const runtime::Bytes kPicture = {0xFF, 0xD8, 0xFF};
  auto assets = [](std::string_view name) -> const runtime::Bytes* {
    return name == "main_window.jpg" ? &kPicture : nullptr;
  };
  runtime::FormLoadResult r = runtime::LoadForm(
      "fuzz.toml", std::string_view(reinterpret_cast<const char*>(data), size), assets);
  if (r.form) {
    // Every setting of every unit reads back, given or by default.
    for (const runtime::Unit& u : r.form->units)
      for (const runtime::SettingDef& def : u.Kind().settings) (void)u.Setting(def.number);
  }
  return 0;
}
