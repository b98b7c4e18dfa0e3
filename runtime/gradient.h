// The gradient colour rule of labels: gradient backgrounds and the bands of the gradient frame.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace runtime {

// The colours of a list that can be used: 0xFF000000 entries are skipped.
std::vector<uint32_t> UsableColours(std::initializer_list<uint32_t> colours);

// The colour (0x00BBGGRR) of pixel (x, y) of a w x h rectangle for direction 1 to 8 and at least
// two usable colours. Positions and spans are integers; the fraction t = (p mod seg) / seg is
// applied exactly, truncating toward zero per channel.
uint32_t GradientColour(int direction, int w, int h, int x, int y, const std::vector<uint32_t>& c);

}  // namespace runtime
