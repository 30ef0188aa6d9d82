#include "link/socket_thread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "link/frame_handover.h"

namespace lumera {

TSocketThread::TSocketThread(FrameHandover& handover, QObject* parent)
    : QThread(parent), handover_(handover) {
  setObjectName(QStringLiteral("TSocketThread"));
  stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

TSocketThread::~TSocketThread() {
  Suspend();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  wait();
  if (stopFd_ >= 0) close(stopFd_);
}

// The thread is started once and then parks between links, so a connect
// costs no thread start.
void TSocketThread::Resume(int socketFd) {
  Suspend();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    socketFd_ = socketFd;
    stop_ = false;
    reading_ = true;
  }
  handover_.Open();
  if (!isRunning()) start();
  changed_.notify_all();
}

void TSocketThread::Suspend() {
  if (!Reading()) return;
  stop_ = true;
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = write(stopFd_, &one, sizeof one);
  handover_.Release();
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !reading_; });
  }
  uint64_t count = 0;
  while (read(stopFd_, &count, sizeof count) == sizeof count) {
  }
}

bool TSocketThread::Reading() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return reading_;
}

void TSocketThread::run() {
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return reading_ || quit_; });
      if (quit_) return;
    }
    ReadLink();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      reading_ = false;
    }
    changed_.notify_all();
  }
}

bool TSocketThread::HandOver() {
  const bool handled = handover_.Deliver(assembler_.Data(), assembler_.Size());
  assembler_.Clear();
  return handled && !stop_;
}

void TSocketThread::ReadLink() {
  using Clock = std::chrono::steady_clock;
  assembler_.Clear();
  Clock::time_point lastPiece{};
  bool peerOpen = true;
  pollfd fds[2] = {{socketFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};

  while (!stop_) {
    int timeoutMs = -1;
    if (!assembler_.Empty()) {
      const auto waited =
          std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - lastPiece).count();
      timeoutMs = waited >= gapMs_ ? 0 : static_cast<int>(gapMs_ - waited);
    }
    // After the box closed its side, only the stop signal is watched.
    fds[0].fd = peerOpen ? socketFd_ : -1;
    fds[0].revents = fds[1].revents = 0;
    const int ready = poll(fds, 2, timeoutMs);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (stop_ || fds[1].revents != 0) return;
    if (ready == 0) {
      // No more pieces came: the reply goes as it is.
      if (!HandOver()) return;
      continue;
    }
    if (fds[0].revents == 0) continue;

    const ssize_t n = recv(socketFd_, readBuffer_.data(), readBuffer_.size(), MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
    if (n <= 0) {
      peerOpen = false;
      if (!assembler_.Empty() && !HandOver()) return;
      continue;
    }
    lastPiece = Clock::now();
    assembler_.SetSecondFamily(secondFamily_);
    std::size_t used = 0;
    while (used < static_cast<std::size_t>(n)) {
      used += assembler_.Append(readBuffer_.data() + used, static_cast<std::size_t>(n) - used);
      if (assembler_.Complete() && !HandOver()) return;
    }
  }
}

}  // namespace lumera
