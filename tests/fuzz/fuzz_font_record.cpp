// Any bytes as a font record: parsed only when exactly 60 bytes, made into a font or the default.
#include <cstddef>
#include <cstdint>

#include "platform/font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto record = platform::ParseFontRecord(std::span(data, size));
  if (record) {
    platform::Font font = platform::Font::FromRecord(*record);
    if (!font.Description()) __builtin_trap();
    auto again = platform::EncodeFontRecord(*record);
    if (again && platform::ParseFontRecord(*again) != record) __builtin_trap();
  }
  (void)platform::Cp936ToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
