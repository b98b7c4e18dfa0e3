// Any bytes as a picture: every decoder gives a picture or nothing, and never crashes.
#include <cstddef>
#include <cstdint>

#include "platform/picture/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::Bytes bytes(data, size);
  if (auto image = platform::DecodePicture(bytes)) {
    if (image->pixels.size() != size_t(image->width) * size_t(image->height)) __builtin_trap();
  }
  (void)platform::IconImageForSize(bytes, 16);
  (void)platform::DecodeBmp(bytes);
  (void)platform::DecodeGif(bytes);
  (void)platform::DecodePcx(bytes);
  return 0;
}
