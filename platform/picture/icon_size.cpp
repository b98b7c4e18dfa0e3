#include "platform/picture/decode.h"

namespace platform {
namespace {

// Area-averaging scale in premultiplied space (which keeps transparent edges clean); used for
// icons only, where the result is small.
Image ScaleImage(const Image& src, int size) {
  Image out(size, size);
  for (int y = 0; y < size; ++y) {
    int y0 = y * src.height / size, y1 = std::max(y0 + 1, (y + 1) * src.height / size);
    for (int x = 0; x < size; ++x) {
      int x0 = x * src.width / size, x1 = std::max(x0 + 1, (x + 1) * src.width / size);
      uint64_t sum[4] = {0, 0, 0, 0};
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx) {
          uint32_t p = src.At(sx, sy);
          for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
        }
      uint64_t n = uint64_t(y1 - y0) * uint64_t(x1 - x0);
      uint32_t p = 0;
      for (int c = 0; c < 4; ++c) p |= uint32_t((sum[c] + n / 2) / n) << (8 * c);
      out.At(x, y) = p;
    }
  }
  return out;
}

}  // namespace

std::optional<Image> IconImageForSize(Bytes data, int size) {
  std::vector<Image> images = DecodeIconImages(data);
  if (images.empty() || size <= 0) return std::nullopt;
  const Image* best = nullptr;
  for (const Image& i : images) {
    int side = std::max(i.width, i.height);
    int best_side = best ? std::max(best->width, best->height) : 0;
    bool fits = side >= size, best_fits = best_side >= size;
    if (!best || (fits && (!best_fits || side < best_side)) ||
        (!fits && !best_fits && side > best_side))
      best = &i;
  }
  if (best->width == size && best->height == size) return *best;
  return ScaleImage(*best, size);
}

}  // namespace platform
