#pragma once

#include <QElapsedTimer>

#include "conversation/pauser.h"

namespace lumera {

// Blocks the calling (UI) thread, as the box's slow answers require.
class QtPauser : public Pauser {
 public:
  QtPauser() { clock_.start(); }
  void Pause(uint32_t ms) override;
  uint64_t NowMs() override { return static_cast<uint64_t>(clock_.elapsed()); }

 private:
  QElapsedTimer clock_;
};

}  // namespace lumera
