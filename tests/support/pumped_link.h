#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "app/main_form.h"
#include "link/frame.h"
#include "link/transport.h"

namespace lumera::test {

// The tool's side of a loopback TCP link driven by the test: frames go to the
// simulator at once, and Pump hands the replies back one by one on this
// thread, as the reader thread's hand-over would.
class PumpedLink : public Transport {
 public:
  ~PumpedLink() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Connect(uint16_t port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  void Send(const FrameBuffer& tx) override {
    const uint8_t* p = tx.data() + 1;
    std::size_t left = kTcpFrameSize;
    while (left > 0) {
      const ssize_t n = ::send(fd_, p, left, MSG_NOSIGNAL);
      if (n <= 0) {
        failed_ = true;
        return;
      }
      p += n;
      left -= static_cast<std::size_t>(n);
    }
    ++sent;
    ++pending_;
  }
  // Hands over replies until none is outstanding; false when one is more
  // than two seconds late or the exchange does not end.
  bool Pump(TMainForm& form) {
    for (int guard = 0; guard < 400 && pending_ > 0; ++guard) {
      std::vector<uint8_t> reply(kTcpFrameSize);
      std::size_t got = 0;
      while (got < reply.size()) {
        pollfd fd{fd_, POLLIN, 0};
        if (::poll(&fd, 1, 2000) != 1) return false;
        const ssize_t n = ::recv(fd_, reply.data() + got, reply.size() - got, 0);
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
      }
      --pending_;
      last = reply;
      form.DispatchReply(reply.data(), reply.size(), false);
    }
    return pending_ == 0 && !failed_;
  }

  std::vector<uint8_t> last;
  int sent = 0;

 private:
  int fd_ = -1;
  int pending_ = 0;
  bool failed_ = false;
};

}  // namespace lumera::test
