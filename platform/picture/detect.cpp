#include <algorithm>
#include <cstring>

#include "platform/picture/decode.h"

namespace platform {
namespace {

bool StartsWith(Bytes d, std::initializer_list<uint8_t> magic) {
  return d.size() >= magic.size() && std::equal(magic.begin(), magic.end(), d.begin());
}

}  // namespace

PictureFormat DetectPictureFormat(Bytes d) {
  if (StartsWith(d, {0xFF, 0xD8, 0xFF})) return PictureFormat::kJpeg;
  if (StartsWith(d, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return PictureFormat::kPng;
  if (StartsWith(d, {'B', 'M'})) return PictureFormat::kBmp;
  if (StartsWith(d, {0, 0, 1, 0})) return PictureFormat::kIcon;
  if (StartsWith(d, {0, 0, 2, 0})) return PictureFormat::kCursor;
  if (StartsWith(d, {'G', 'I', 'F', '8'})) return PictureFormat::kGif;
  if (d.size() >= 128 && d[0] == 0x0A && d[2] == 1) return PictureFormat::kPcx;
  return PictureFormat::kUnknown;
}

std::optional<Image> DecodePicture(Bytes d) {
  switch (DetectPictureFormat(d)) {
    case PictureFormat::kJpeg:
      return DecodeJpeg(d);
    case PictureFormat::kPng:
      return DecodePng(d);
    case PictureFormat::kBmp:
      return DecodeBmp(d);
    case PictureFormat::kIcon:
    case PictureFormat::kCursor: {
      std::vector<Image> images = DecodeIconImages(d);
      if (images.empty()) return std::nullopt;
      auto largest = std::max_element(images.begin(), images.end(), [](auto& a, auto& b) {
        return int64_t(a.width) * a.height < int64_t(b.width) * b.height;
      });
      return std::move(*largest);
    }
    case PictureFormat::kGif:
      return DecodeGif(d);
    case PictureFormat::kPcx:
      return DecodePcx(d);
    case PictureFormat::kUnknown:
      break;
  }
  return std::nullopt;
}

}  // namespace platform
