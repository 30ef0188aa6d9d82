#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumera::boxsim {

// Collects one firmware image from Begin, Block and End requests, the way
// the box's flash would: each block lands at its offset, bytes at or past the
// announced size are dropped, and the checksum covers what actually arrived.
class FirmwareReceiver {
 public:
  // The most the simulator keeps of one image; a larger announced size is
  // cut here (the tool's largest images are a few megabytes).
  static constexpr uint32_t kMaxImage = 64u * 1024 * 1024;
  static constexpr std::size_t kBlockSize = 256;

  void Begin(uint32_t size);
  void Block(uint32_t offset, const uint8_t* data, std::size_t n);

  bool Started() const { return started_; }
  uint32_t AnnouncedSize() const { return size_; }
  // Bytes received at distinct offsets below the announced size.
  uint32_t ReceivedBytes() const { return received_; }
  // The sum, modulo 2^32, of the image bytes received, over the first `size`
  // bytes (the size given at End; never beyond the announced size).
  uint32_t ByteSum(uint32_t size) const;
  const std::vector<uint8_t>& Image() const { return image_; }

 private:
  bool started_ = false;
  uint32_t size_ = 0;
  uint32_t received_ = 0;
  std::vector<uint8_t> image_;
  std::vector<bool> seen_;
};

}  // namespace lumera::boxsim
