#pragma once

#include <QThread>
#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "link/frame.h"
#include "link/reply_assembler.h"

namespace lumera {

class FrameHandover;

// The TCP reader. It exists for the life of the window and reads only while a
// TCP link is up: it waits in poll for the socket or for its stop signal,
// joins a reply that comes in pieces, and hands each reply over to the UI
// thread, waiting there until the reply has been handled.
class TSocketThread : public QThread {
  Q_OBJECT
 public:
  explicit TSocketThread(FrameHandover& handover, QObject* parent = nullptr);
  ~TSocketThread() override;

  // Starts reading the connected socket.
  void Resume(int socketFd);
  // Stops reading and waits until the thread is parked again; also from
  // inside the handling of a reply this thread handed over.
  void Suspend();
  // Whether the thread reads a socket now (it is parked between links).
  bool Reading() const;

  // The second family answers the status request with a shorter reply; the
  // UI thread tells the reader which box it talks to.
  void SetSecondFamily(bool secondFamily) { secondFamily_ = secondFamily; }
  // How long an unfinished reply waits for its next piece.
  void SetGapMs(int gapMs) { gapMs_ = gapMs; }

 protected:
  void run() override;

 private:
  bool HandOver();
  // Reads one link until it is suspended.
  void ReadLink();

  FrameHandover& handover_;
  int socketFd_ = -1;
  int stopFd_ = -1;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool reading_ = false;  // guarded by mutex_
  bool quit_ = false;     // guarded by mutex_
  std::atomic<bool> secondFamily_{false};
  std::atomic<int> gapMs_{ReplyAssembler::kGapMs};
  std::array<uint8_t, kTcpFrameSize> readBuffer_{};
  ReplyAssembler assembler_;
};

}  // namespace lumera
