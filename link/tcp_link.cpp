#include "link/tcp_link.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace lumera {

namespace {

// A box that stops reading must not hold the UI thread for long; the request
// is then lost, as any other lost request.
constexpr int kSendTimeoutMs = 2000;

}  // namespace

uint16_t TcpPortFromEnvironment() {
  const char* text = std::getenv("LUMERA_TCP_PORT");
  if (!text || !*text) return kBoxTcpPort;
  unsigned value = 0;
  const char* end = text + std::strlen(text);
  const auto [ptr, ec] = std::from_chars(text, end, value);
  if (ec != std::errc() || ptr != end || value == 0 || value > 65535) return kBoxTcpPort;
  return static_cast<uint16_t>(value);
}

bool TcpLink::Connect(const std::string& address, uint16_t port, int timeoutMs,
                      const std::function<void()>& stillWaiting) {
  Close();
  sockaddr_in peer{};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(port);
  if (inet_pton(AF_INET, address.c_str(), &peer.sin_addr) != 1) return false;

  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd_ < 0) return false;
  if (connect(fd_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
    if (errno != EINPROGRESS) {
      Close();
      return false;
    }
    constexpr int kQuickMs = 2;
    pollfd p{fd_, POLLOUT, 0};
    auto waitWritable = [&p](int ms) {
      int ready;
      do {
        ready = poll(&p, 1, ms);
      } while (ready < 0 && errno == EINTR);
      return ready;
    };
    const int quick = timeoutMs < kQuickMs ? timeoutMs : kQuickMs;
    int ready = waitWritable(quick);
    if (ready == 0 && timeoutMs > quick) {
      if (stillWaiting) stillWaiting();
      ready = waitWritable(timeoutMs - quick);
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (ready != 1 || getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
      Close();
      return false;
    }
  }
  // Blocking from here on; the reader waits in poll and never blocks in recv.
  fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  const int one = 1;
  setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  timeval limit{kSendTimeoutMs / 1000, (kSendTimeoutMs % 1000) * 1000};
  setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  return true;
}

void TcpLink::Close() {
  if (fd_ < 0) return;
  close(fd_);
  fd_ = -1;
}

void TcpLink::Send(const FrameBuffer& txBuffer) {
  if (fd_ < 0) return;
  const uint8_t* p = txBuffer.data() + 1;
  std::size_t left = kTcpFrameSize;
  while (left > 0) {
    const ssize_t n = send(fd_, p, left, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
}

}  // namespace lumera
