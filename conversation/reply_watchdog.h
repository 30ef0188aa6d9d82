#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>

namespace lumera {

class TMainForm;

// Watches for replies that never come. The box answers every request, but a
// box that stops answering would leave a chain waiting forever, often with
// the main window disabled behind the wait dialog. When a chain's reply is
// later than its limit, the chain ends as its end step would leave the window,
// and the operator is told once; a lost status reply re-arms the poll.
class ReplyWatchdog : public QObject {
  Q_OBJECT
 public:
  explicit ReplyWatchdog(TMainForm& form);

  // How long a step may wait for its reply. Profile loads and uploads make the
  // box rebuild everything before it answers; firmware blocks take the box a
  // while to write.
  static int LimitMs(uint32_t step);

  void FrameSent(uint32_t step);
  void ReplyHandled();
  bool Armed() const { return timer_.isActive(); }
  void Expire();  // what the timer runs; public for tests

 private:
  TMainForm& form_;
  QTimer timer_;
};

}  // namespace lumera
