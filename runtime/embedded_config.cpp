#include <map>
#include <string>

#include "runtime/resources.h"

namespace runtime {

RuntimeConfig EmbeddedConfig(std::span<const HandlerEntry> handlers) {
  // Assets are copied once into the form model, which keeps them for the whole run.
  static const std::map<std::string, Bytes, std::less<>> assets = [] {
    std::map<std::string, Bytes, std::less<>> m;
    for (const EmbeddedFile& f : EmbeddedAssets())
      m.emplace(std::string(f.name), Bytes(f.bytes.begin(), f.bytes.end()));
    return m;
  }();
  RuntimeConfig config;
  for (const EmbeddedFile& f : EmbeddedForms())
    config.forms.push_back(
        {std::string(f.name), {reinterpret_cast<const char*>(f.bytes.data()), f.bytes.size()}});
  config.assets = [](std::string_view name) -> const Bytes* {
    auto it = assets.find(name);
    return it == assets.end() ? nullptr : &it->second;
  };
  config.handlers = handlers;
  auto icon = assets.find("program_icon.ico");
  config.default_icon = icon == assets.end() ? nullptr : &icon->second;
  return config;
}

}  // namespace runtime
