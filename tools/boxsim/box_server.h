#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/boxsim/box_model.h"
#include "tools/boxsim/frame_log.h"

namespace lumera::boxsim {

// How the simulator listens and which faults of the link it plays. Counts
// are per connection; -1 turns a fault off.
struct ServerConfig {
  std::string address = "127.0.0.1";
  uint16_t port = 7;  // 0: any free port
  long stopAfter = -1;
  long closeAfter = -1;
  long badMagicEvery = -1;
  unsigned delayMs = 0;
  bool split = false;
  unsigned splitAt = 256;
  unsigned splitGapMs = 20;
  bool exitOnStdinEof = false;
};

// The TCP side of the box: one client at a time (a second one waits in the
// listen queue until the first has gone), 512-byte requests joined however
// the peer splits them, replies written in order with the configured faults.
// Single-threaded around poll(); nothing is allocated per frame.
class BoxServer {
 public:
  BoxServer(BoxModel& model, const ServerConfig& config, FrameLog& log);
  BoxServer(const BoxServer&) = delete;
  BoxServer& operator=(const BoxServer&) = delete;
  ~BoxServer();

  bool Listen(std::string& error);
  uint16_t Port() const { return port_; }
  // Serves until stopFd becomes readable, or stdin reaches its end when the
  // config asks for that.
  void Run(int stopFd);

 private:
  using Clock = std::chrono::steady_clock;

  struct Outgoing {
    WireFrame frame{};
    std::size_t sent = 0;
    std::size_t limit = 0;  // bytes that may be written at `due`
    Clock::time_point due;
    long number = 0;  // reply number on this connection
  };
  static constexpr std::size_t kQueue = 64;

  void Accept();
  void CloseClient(const char* why);
  bool ReadClient();
  void Process(Clock::time_point now);
  bool WriteReady(Clock::time_point now);
  int PollTimeout(Clock::time_point now) const;
  double Seconds(Clock::time_point t) const;

  BoxModel& model_;
  ServerConfig config_;
  FrameLog& log_;
  int listenFd_ = -1;
  int clientFd_ = -1;
  uint16_t port_ = 0;
  Clock::time_point start_;
  Clock::time_point firstConnect_;
  bool everConnected_ = false;

  WireFrame rx_{};
  std::size_t rxFill_ = 0;
  BoxResponse response_;
  std::array<Outgoing, kQueue> queue_{};
  std::size_t head_ = 0;
  std::size_t size_ = 0;
  long queued_ = 0;
  bool stopped_ = false;
  bool closePending_ = false;
};

}  // namespace lumera::boxsim
