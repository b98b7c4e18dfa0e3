// Picture decoding. One entry point chooses the format from the leading bytes; every decoder
// checks every bound and gives nothing for data it cannot read, whatever the input.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/image.h"

namespace platform {

enum class PictureFormat { kUnknown, kJpeg, kPng, kBmp, kIcon, kCursor, kGif, kPcx };

using Bytes = std::span<const uint8_t>;

PictureFormat DetectPictureFormat(Bytes data);

// The picture in data, whatever its format; for icon and cursor files the largest image.
std::optional<Image> DecodePicture(Bytes data);

// Every image of an icon or cursor file, in stored order; empty when the file cannot be read.
std::vector<Image> DecodeIconImages(Bytes data);
// The image of an icon file that suits a size best (the smallest at least that large, else the
// largest), scaled to size x size.
std::optional<Image> IconImageForSize(Bytes data, int size);

// The individual decoders, for callers that know the format.
std::optional<Image> DecodeJpeg(Bytes data);
std::optional<Image> DecodePng(Bytes data);
std::optional<Image> DecodeBmp(Bytes data);
std::optional<Image> DecodeGif(Bytes data);
std::optional<Image> DecodePcx(Bytes data);

// The largest picture any decoder accepts, in pixels; larger claims count as bad data.
constexpr int64_t kMaxPicturePixels = int64_t(1) << 26;
constexpr int kMaxPictureSide = 1 << 15;
inline bool PlausibleSize(int64_t w, int64_t h) {
  return w > 0 && h > 0 && w <= kMaxPictureSide && h <= kMaxPictureSide &&
         w * h <= kMaxPicturePixels;
}

// A bounds-checked little-endian reader shared by the hand-written decoders.
class ByteReader {
 public:
  explicit ByteReader(Bytes data, size_t pos = 0) : data_(data), pos_(pos) {}
  bool Has(size_t n) const { return pos_ <= data_.size() && data_.size() - pos_ >= n; }
  size_t pos() const { return pos_; }
  void Seek(size_t pos) { pos_ = pos; }
  bool Skip(size_t n) {
    if (!Has(n)) return false;
    pos_ += n;
    return true;
  }
  bool U8(uint8_t& v) {
    if (!Has(1)) return false;
    v = data_[pos_++];
    return true;
  }
  bool U16(uint16_t& v) {
    if (!Has(2)) return false;
    v = uint16_t(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return true;
  }
  bool U32(uint32_t& v) {
    if (!Has(4)) return false;
    v = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 | uint32_t(data_[pos_ + 2]) << 16 |
        uint32_t(data_[pos_ + 3]) << 24;
    pos_ += 4;
    return true;
  }
  bool I32(int32_t& v) {
    uint32_t u;
    if (!U32(u)) return false;
    v = int32_t(u);
    return true;
  }

 private:
  Bytes data_;
  size_t pos_;
};

}  // namespace platform
