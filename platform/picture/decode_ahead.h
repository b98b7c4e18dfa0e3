// A picture decoded on another thread from the moment it is known to be needed, so that decoding
// overlaps whatever comes before the first paint (the round trips to the window manager above
// all). The first use waits for it.
#pragma once

#include <future>
#include <optional>

#include "platform/picture/decode.h"

namespace platform {

class PictureAhead {
 public:
  PictureAhead() = default;
  // Starts decoding. The bytes must stay alive and unchanged as long as this object lives.
  explicit PictureAhead(Bytes data);

  // The picture; null when there is none or the data cannot be read.
  const Image* Get();

 private:
  std::future<std::optional<Image>> pending_;
  std::optional<Image> picture_;
};

}  // namespace platform
