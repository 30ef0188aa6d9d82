#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/transport.h"

namespace lumera {

inline constexpr uint16_t kBoxTcpPort = 7;

// The box's port, or the one LUMERA_TCP_PORT names (1-65535), so that a
// simulated box and the tests can listen without privileges.
uint16_t TcpPortFromEnvironment();

// The TCP client. Every request leaves as exactly 512 bytes from frame byte 0.
class TcpLink : public Transport {
 public:
  TcpLink() = default;
  TcpLink(const TcpLink&) = delete;
  TcpLink& operator=(const TcpLink&) = delete;
  ~TcpLink() override { Close(); }

  // Connects to a dotted IPv4 address and waits at most timeoutMs for the
  // socket to become writable. False when the address is not one, the
  // connect is refused or the time runs out; the link is then closed.
  // stillWaiting runs once when the connect has not completed after a first
  // couple of milliseconds (a box on the local network answers sooner), so
  // that the caller can show that it waits.
  bool Connect(const std::string& address, uint16_t port, int timeoutMs,
               const std::function<void()>& stillWaiting = {});
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

  void Send(const FrameBuffer& txBuffer) override;

 private:
  int fd_ = -1;
};

}  // namespace lumera
