#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lumera {

// One buffer per direction. Byte 0 is the HID report-id byte (always 0); the
// frame itself starts at byte 1.
inline constexpr std::size_t kFrameBufferSize = 2048;
inline constexpr std::size_t kFrameSize = kFrameBufferSize - 1;
// Every TCP request is exactly this long, and a TCP reply is at most this long.
inline constexpr std::size_t kTcpFrameSize = 512;

using FrameBuffer = std::array<uint8_t, kFrameBufferSize>;

// Little-endian helpers over raw bytes; shared by frames and image blocks.
inline uint16_t ReadU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// A view of the frame inside a buffer. Offsets are frame offsets (0 = first
// word, 4 = FrameCode, 8 = payload). Accesses past the frame are dropped on
// write and read as zero, so a wrong offset can never leave the buffer.
class FrameRef {
 public:
  explicit FrameRef(FrameBuffer& buffer) : p_(buffer.data() + 1) {}

  uint8_t* Data() { return p_; }
  const uint8_t* Data() const { return p_; }

  uint8_t U8(std::size_t off) const { return Fits(off, 1) ? p_[off] : 0; }
  uint16_t U16(std::size_t off) const { return Fits(off, 2) ? ReadU16(p_ + off) : 0; }
  uint32_t U32(std::size_t off) const { return Fits(off, 4) ? ReadU32(p_ + off) : 0; }
  void SetU8(std::size_t off, uint8_t v) {
    if (Fits(off, 1)) p_[off] = v;
  }
  void SetU16(std::size_t off, uint16_t v) {
    if (Fits(off, 2)) WriteU16(p_ + off, v);
  }
  void SetU32(std::size_t off, uint32_t v) {
    if (Fits(off, 4)) WriteU32(p_ + off, v);
  }

  uint32_t Magic() const { return U32(0); }
  uint32_t Code() const { return U32(4); }
  void SetCode(uint32_t code) { SetU32(4, code); }

  // Copies n frame bytes from off into dst (zero where the frame ends).
  void CopyOut(std::size_t off, uint8_t* dst, std::size_t n) const {
    for (std::size_t i = 0; i < n; ++i) dst[i] = U8(off + i);
  }
  void CopyIn(std::size_t off, const uint8_t* src, std::size_t n) {
    if (Fits(off, n)) std::memcpy(p_ + off, src, n);
  }

 private:
  static bool Fits(std::size_t off, std::size_t n) {
    return off <= kFrameSize && n <= kFrameSize - off;
  }
  uint8_t* p_;
};

// Zeroes the first n bytes of a buffer ("clear 512", "clear 2048").
inline void ClearBuffer(FrameBuffer& buffer, std::size_t n = kFrameBufferSize) {
  std::memset(buffer.data(), 0, n < buffer.size() ? n : buffer.size());
}

}  // namespace lumera
