#include "conversation/conversation_engine.h"

#include "link/frame_codes.h"

namespace lumera {

void ConversationEngine::Register(uint32_t step, StepAction action) {
  steps_[step] = std::move(action);
}

void ConversationEngine::RegisterRange(uint32_t first, uint32_t last,
                                       const std::function<void(uint32_t)>& action) {
  for (uint32_t s = first; s <= last; ++s) steps_[s] = [action, s] { action(s); };
}

void ConversationEngine::HandleReply() {
  FrameRef rx = session_.RxFrame();
  if (rx.Magic() != ReplyMagic) return;
  if (rx.Code() == FrameCode::ReadStatus) {
    SettingsImage& im = session_.Image;
    rx.CopyOut(8, im.InputStatus.Data(), 128);
    rx.CopyOut(136, im.OutputStatus.Data(), 128);
    rx.CopyOut(264, im.InputExtra.Data(), 128);
    if (hooks_.applyStatusReply) hooks_.applyStatusReply();
    rx.SetCode(0);
    session_.Clear(LinkFlag::StatusOutstanding);
    if (hooks_.statusReplyHandled) hooks_.statusReplyHandled();
    return;
  }
  if (session_.Has(LinkFlag::WaitShown)) {
    if (hooks_.waitDialogProgress) hooks_.waitDialogProgress();
    if (session_.ConversationStep < 2001 && hooks_.pause) hooks_.pause(300);
  }
  RunStep();
  rx.SetCode(0);
  if (hooks_.readoutsChanged) hooks_.readoutsChanged();
}

void ConversationEngine::RunStep() {
  const uint32_t step = session_.ConversationStep;
  auto it = steps_.find(step);
  if (it == steps_.end()) return;
  it->second();
  if (stepObserver_) stepObserver_(step);
}

}  // namespace lumera
