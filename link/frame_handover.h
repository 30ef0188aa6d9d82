#pragma once

#include <QObject>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

class QSocketNotifier;

namespace lumera {

// Hands a received frame from a reader thread to the thread that owns this
// object (the UI thread) and keeps the reader waiting until the frame has
// been handled there, so the UI thread alone touches the tool's state and
// replies are handled one at a time.
//
// The UI thread may stop a reader while that reader waits here, even from
// inside the handler it is waiting for: Release wakes the reader, and a
// hand-over still on its way to the UI thread then does nothing. The wake-up
// is an eventfd watched by the UI loop, so a frame costs no allocation.
class FrameHandover : public QObject {
  Q_OBJECT
 public:
  using Consumer = std::function<void(const uint8_t* data, std::size_t size)>;

  explicit FrameHandover(Consumer consumer, QObject* parent = nullptr);
  ~FrameHandover() override;

  // Reader side: blocks until the frame was handled (true) or the hand-over
  // was released (false). The bytes must stay valid until it returns.
  bool Deliver(const uint8_t* data, std::size_t size);

  // UI side: accept deliveries (before a reader starts), and stop accepting
  // them, waking a reader that waits.
  void Open();
  void Release();

 private:
  void Wake();

  Consumer consumer_;
  int eventFd_ = -1;
  QSocketNotifier* notifier_ = nullptr;

  std::mutex mutex_;
  std::condition_variable handled_;
  bool open_ = false;
  uint64_t lastTicket_ = 0;
  uint64_t pendingTicket_ = 0;  // 0: nothing waits to be handled
  uint64_t handledTicket_ = 0;
  uint64_t runningTicket_ = 0;
  const uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace lumera
