#pragma once

#include <array>

#include "conversation/box_session.h"

namespace lumera {

// What a status reply means for the window: which panels light up, and
// whether the box changed in a way the tool did not cause (then the settings
// are read again).
struct StatusEvaluation {
  std::array<bool, 4> inputPresent{};
  std::array<bool, 4> outputActive{};
  bool changed = false;
};

// Compares the stored status blocks with the image and the remembered masks,
// remembers the new masks and consumes the re-read request (bit 7) and the
// timer-was-off mark (bit 9).
StatusEvaluation EvaluateStatus(BoxSession& session);

}  // namespace lumera
