#include "link/frame_handover.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace lumera {

FrameHandover::FrameHandover(Consumer consumer, QObject* parent)
    : QObject(parent), consumer_(std::move(consumer)) {
  eventFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (eventFd_ >= 0) {
    notifier_ = new QSocketNotifier(eventFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &FrameHandover::Wake);
  }
}

FrameHandover::~FrameHandover() {
  Release();
  delete notifier_;
  if (eventFd_ >= 0) close(eventFd_);
}

bool FrameHandover::Deliver(const uint8_t* data, std::size_t size) {
  uint64_t ticket = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_ || eventFd_ < 0) return false;
    ticket = ++lastTicket_;
    pendingTicket_ = ticket;
    data_ = data;
    size_ = size;
  }
  const uint64_t one = 1;
  if (write(eventFd_, &one, sizeof one) != sizeof one) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (pendingTicket_ == ticket) pendingTicket_ = 0;
    return false;
  }
  std::unique_lock<std::mutex> lock(mutex_);
  handled_.wait(lock, [&] { return handledTicket_ == ticket || pendingTicket_ != ticket; });
  return handledTicket_ == ticket;
}

void FrameHandover::Open() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = true;
}

void FrameHandover::Release() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = false;
  pendingTicket_ = 0;
  handled_.notify_all();
}

void FrameHandover::Wake() {
  uint64_t count = 0;
  while (read(eventFd_, &count, sizeof count) == sizeof count) {
  }
  uint64_t ticket = 0;
  const uint8_t* data = nullptr;
  std::size_t size = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A frame whose handler is still running further up this stack (a
    // handler that pumps events) is not handled twice.
    if (!open_ || pendingTicket_ == 0 || pendingTicket_ == runningTicket_) return;
    ticket = pendingTicket_;
    data = data_;
    size = size_;
    runningTicket_ = ticket;
  }
  consumer_(data, size);
  std::lock_guard<std::mutex> lock(mutex_);
  if (pendingTicket_ == ticket) {
    handledTicket_ = ticket;
    pendingTicket_ = 0;
    handled_.notify_all();
  }
  if (runningTicket_ == ticket) runningTicket_ = 0;
}

}  // namespace lumera
