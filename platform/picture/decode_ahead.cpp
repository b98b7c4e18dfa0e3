#include "platform/picture/decode_ahead.h"

#include <pthread.h>

#include <system_error>

namespace platform {

PictureAhead::PictureAhead(Bytes data) {
  if (data.empty()) return;
  auto decode = [data] { return DecodePicture(data); };
  try {
    pending_ = std::async(std::launch::async, [decode] {
      pthread_setname_np(pthread_self(), "picture");  // for profilers
      return decode();
    });
  } catch (const std::system_error&) {
    pending_ = std::async(std::launch::deferred, decode);  // no thread: decoded on first use
  }
}

const Image* PictureAhead::Get() {
  if (pending_.valid()) picture_ = pending_.get();
  return picture_ ? &*picture_ : nullptr;
}

}  // namespace platform
