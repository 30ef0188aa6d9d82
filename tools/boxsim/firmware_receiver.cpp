#include "tools/boxsim/firmware_receiver.h"

#include <algorithm>

namespace lumera::boxsim {

void FirmwareReceiver::Begin(uint32_t size) {
  started_ = true;
  size_ = size;
  received_ = 0;
  const uint32_t kept = std::min(size, kMaxImage);
  image_.assign(kept, 0);
  seen_.assign(kept, false);
}

void FirmwareReceiver::Block(uint32_t offset, const uint8_t* data, std::size_t n) {
  if (!started_) return;
  const std::size_t kept = image_.size();
  if (offset >= kept) return;
  const std::size_t count = std::min<std::size_t>(n, kept - offset);
  for (std::size_t i = 0; i < count; ++i) {
    image_[offset + i] = data[i];
    if (!seen_[offset + i]) {
      seen_[offset + i] = true;
      ++received_;
    }
  }
}

uint32_t FirmwareReceiver::ByteSum(uint32_t size) const {
  const std::size_t n = std::min<std::size_t>(size, image_.size());
  uint32_t sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += image_[i];
  return sum;
}

}  // namespace lumera::boxsim
