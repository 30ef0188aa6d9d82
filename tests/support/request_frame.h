#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "link/frame.h"

namespace lumera::test {

// A request frame as the tool builds it: zeroed, FrameCode at 4, fields set
// in a chain.
struct Request {
  explicit Request(uint32_t code) { WriteU32(bytes.data() + 4, code); }
  Request& U8(std::size_t off, uint8_t v) {
    bytes[off] = v;
    return *this;
  }
  Request& U16(std::size_t off, uint16_t v) {
    WriteU16(bytes.data() + off, v);
    return *this;
  }
  Request& U32(std::size_t off, uint32_t v) {
    WriteU32(bytes.data() + off, v);
    return *this;
  }
  Request& Data(std::size_t off, const uint8_t* p, std::size_t n) {
    std::memcpy(bytes.data() + off, p, n);
    return *this;
  }
  // A 12-character box command at frame byte 8.
  Request& Command(const char* text) { return Data(8, reinterpret_cast<const uint8_t*>(text), 12); }
  std::array<uint8_t, kTcpFrameSize> bytes{};
};

}  // namespace lumera::test
