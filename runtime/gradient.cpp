#include "runtime/gradient.h"

#include <algorithm>

#include "runtime/form_model.h"

namespace runtime {

std::vector<uint32_t> UsableColours(std::initializer_list<uint32_t> colours) {
  std::vector<uint32_t> out;
  for (uint32_t c : colours)
    if (c != kDefaultColour) out.push_back(c & 0x00FFFFFF);
  return out;
}

uint32_t GradientColour(int direction, int w, int h, int x, int y, const std::vector<uint32_t>& c) {
  const int64_t diagonal = 2 * int64_t(std::min(w, h));
  int64_t s = 0, p = 0;
  switch (direction) {
    case 1:
      s = h, p = y;
      break;
    case 2:
      s = w, p = x;
      break;
    case 3:
      s = diagonal, p = x + y;
      break;
    case 4:
      s = diagonal, p = (w - 1 - x) + y;
      break;
    case 5:
      s = h, p = h - 1 - y;
      break;
    case 6:
      s = w, p = w - 1 - x;
      break;
    case 7:
      s = diagonal, p = (w - 1 - x) + (h - 1 - y);
      break;
    case 8:
      s = diagonal, p = x + (h - 1 - y);
      break;
    default:
      return c.empty() ? 0 : c.front();
  }
  const int64_t n = int64_t(c.size());
  const int64_t seg = s / (n - 1);
  const int64_t i = seg ? p / seg : 0;
  if (i > n - 2) return c[size_t(n - 1)];
  const int64_t num = seg ? p % seg : 0;
  const uint32_t a = c[size_t(i)], b = c[size_t(i + 1)];
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int64_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    int64_t v = ca + (seg ? num * (cb - ca) / seg : 0);  // C++ division truncates toward zero
    out |= uint32_t(v) << shift;
  }
  return out;
}

}  // namespace runtime
