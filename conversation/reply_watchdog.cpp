#include "conversation/reply_watchdog.h"

#include "app/main_form.h"
#include "app/message_boxes.h"

namespace lumera {

ReplyWatchdog::ReplyWatchdog(TMainForm& form) : form_(form) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &ReplyWatchdog::Expire);
}

int ReplyWatchdog::LimitMs(uint32_t step) {
  if (step == 2011 || step == 2012 || step == 990) return 30000;
  if (step >= 200 && step <= 304) return 20000;
  if (step >= 2032 && step <= 2034) return 12000;
  return 6000;
}

void ReplyWatchdog::FrameSent(uint32_t step) {
  const BoxSession& s = form_.Session();
  if (step != 0 || s.Has(LinkFlag::StatusOutstanding)) timer_.start(LimitMs(step));
}

void ReplyWatchdog::ReplyHandled() {
  const BoxSession& s = form_.Session();
  if (s.ConversationStep == 0 && !s.Has(LinkFlag::StatusOutstanding)) timer_.stop();
}

void ReplyWatchdog::Expire() {
  BoxSession& s = form_.Session();
  if (!s.Connected()) return;
  const bool chainLost = s.ConversationStep != 0;
  const bool waitShown = s.Has(LinkFlag::WaitShown);
  if (!chainLost && !s.Has(LinkFlag::StatusOutstanding)) return;
  s.ConversationStep = 0;
  s.Clear(LinkFlag::StatusOutstanding);
  form_.SetBusy(false);
  if (waitShown) form_.CloseWaitDialog();
  form_.ShowStepReadouts();
  form_.TmrStatus()->start();
  if (chainLost || waitShown)
    form_.Messages().Warning(
        QStringLiteral("The box did not answer in time. The running operation was stopped; "
                       "check the connection and try again."));
}

}  // namespace lumera
