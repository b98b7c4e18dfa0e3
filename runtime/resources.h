// The form descriptions and assets built into the executable: the program reads no file.
#pragma once

#include <span>
#include <string_view>

#include "runtime/runtime.h"

namespace runtime {

struct EmbeddedFile {
  std::string_view name;
  std::span<const uint8_t> bytes;
};

std::span<const EmbeddedFile> EmbeddedForms();
std::span<const EmbeddedFile> EmbeddedAssets();

// The run time's configuration from the embedded files and the program's handlers.
RuntimeConfig EmbeddedConfig(std::span<const HandlerEntry> handlers);

}  // namespace runtime
