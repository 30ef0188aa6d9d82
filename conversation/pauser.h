#pragma once

#include <cstdint>

namespace lumera {

// The tool's blocking pauses (300 ms per reply under the wait dialog, 20 ms
// between upload pieces, 3000 and 5000 ms after 3D changes) and its clock go
// through here, so that tests record them instead of sleeping.
class Pauser {
 public:
  virtual ~Pauser() = default;
  virtual void Pause(uint32_t ms) = 0;
  virtual uint64_t NowMs() = 0;
};

}  // namespace lumera
