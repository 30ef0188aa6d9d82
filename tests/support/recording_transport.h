#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/transport.h"

namespace lumera::test {

// Keeps every frame that leaves the tool, as the TCP envelope would carry it:
// 512 bytes from frame byte 0.
class RecordingTransport : public Transport {
 public:
  void Send(const FrameBuffer& tx) override {
    frames.emplace_back(tx.begin() + 1, tx.begin() + 1 + kTcpFrameSize);
  }
  uint32_t Code(std::size_t i) const { return ReadU32(frames.at(i).data() + 4); }
  std::vector<uint32_t> Codes() const {
    std::vector<uint32_t> out;
    for (std::size_t i = 0; i < frames.size(); ++i) out.push_back(Code(i));
    return out;
  }
  std::string Command(std::size_t i) const {
    return std::string(reinterpret_cast<const char*>(frames.at(i).data() + 8), 12);
  }
  const std::vector<uint8_t>& Last() const { return frames.back(); }

  std::vector<std::vector<uint8_t>> frames;
};

}  // namespace lumera::test
