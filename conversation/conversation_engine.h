#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "conversation/box_session.h"

namespace lumera {

// The reply handler of the normal box: the magic check, the status branch and
// the action of the current ConversationStep. Features register the actions of
// their own steps; a step without an action does nothing.
class ConversationEngine {
 public:
  using StepAction = std::function<void()>;
  using Hook = std::function<void()>;

  explicit ConversationEngine(BoxSession& session) : session_(session) {}

  void Register(uint32_t step, StepAction action);
  void RegisterRange(uint32_t first, uint32_t last, const std::function<void(uint32_t)>& action);
  bool HasStep(uint32_t step) const { return steps_.count(step) != 0; }

  // What the status branch and the wait-dialog rule call back into.
  struct Hooks {
    Hook applyStatusReply;                // after the three status blocks are stored
    Hook statusReplyHandled;              // re-enables the status timer
    Hook waitDialogProgress;              // one more step of the wait dialog's bar
    std::function<void(uint32_t)> pause;  // blocking pause in ms
    Hook readoutsChanged;                 // STFlag and STStatus
  };
  void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }
  // Told of every step whose action ran, after it ran (diagnostics, benchmarks).
  void SetStepObserver(std::function<void(uint32_t step)> observer) {
    stepObserver_ = std::move(observer);
  }

  // Runs on the UI thread for every reply while LinkMode is 0.
  void HandleReply();
  // Runs the action of the current step on the reply in RxFrame (no magic
  // check, no status branch); used by HandleReply.
  void RunStep();

 private:
  BoxSession& session_;
  std::unordered_map<uint32_t, StepAction> steps_;
  Hooks hooks_;
  std::function<void(uint32_t)> stepObserver_;
};

}  // namespace lumera
