#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/frame.h"

namespace lumera {

// The number of frame bytes a reply to this FrameCode carries: the head (magic
// and code, 8 bytes) plus the last payload byte any handler reads. `frame`
// holds the `received` bytes that are in so far; a reply whose length depends
// on its content (the input-info extension) is judged from them. The second
// family answers the status request with the shorter layout of its state
// reply. A code the tool never sends gives the whole TCP frame, so such a
// reply is only ever cut short by the gap.
std::size_t ReplyLength(uint32_t frameCode, const uint8_t* frame, std::size_t received,
                        bool secondFamily);

// Joins a TCP reply that arrives in pieces. Every read belongs to the reply
// being gathered; the reply is whole once its FrameCode is in and it holds
// the bytes that code's reply carries, or once it fills the 512-byte frame.
// A reply that is not whole goes out as it is when no more bytes come within
// a short gap; the reader keeps that clock.
class ReplyAssembler {
 public:
  static constexpr int kGapMs = 50;

  // Takes the bytes of one read and returns how many it kept; fewer than n
  // only when the frame filled up, and the rest starts the next reply.
  std::size_t Append(const uint8_t* data, std::size_t n);
  bool Complete() const;
  bool Empty() const { return size_ == 0; }
  const uint8_t* Data() const { return frame_.data(); }
  std::size_t Size() const { return size_; }
  void Clear() { size_ = 0; }

  void SetSecondFamily(bool secondFamily) { secondFamily_ = secondFamily; }

 private:
  std::array<uint8_t, kTcpFrameSize> frame_{};
  std::size_t size_ = 0;
  bool secondFamily_ = false;
};

}  // namespace lumera
