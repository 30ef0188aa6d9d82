#pragma once

#include <vector>

#include "conversation/pauser.h"

namespace lumera::test {

// Records the pauses instead of sleeping; the clock moves by each pause.
class RecordingPauser : public Pauser {
 public:
  void Pause(uint32_t ms) override {
    pauses.push_back(ms);
    now += ms;
  }
  uint64_t NowMs() override { return now; }

  std::vector<uint32_t> pauses;
  uint64_t now = 0;
};

}  // namespace lumera::test
