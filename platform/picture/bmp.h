// The bitmap reader that BMP files and icon entries share.
#pragma once

#include <optional>

#include "platform/picture/decode.h"

namespace platform {

// A device-independent bitmap starting at pos. In an icon the stored height counts the mask
// rows too and the mask gives transparency. pixel_offset 0: the bits follow the palette.
std::optional<Image> DecodeDib(Bytes data, size_t pos, bool in_icon, size_t pixel_offset);

}  // namespace platform
