#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "link/frame.h"
#include "link/frame_codes.h"

namespace lumera::test {

// A reply with the magic and the FrameCode of the request it answers.
inline std::vector<uint8_t> ReplyTo(uint32_t code, std::size_t size = kTcpFrameSize) {
  std::vector<uint8_t> r(size, 0);
  WriteU32(r.data(), ReplyMagic);
  WriteU32(r.data() + 4, code);
  return r;
}

// A box on 127.0.0.1 for one test: it takes one connection, cuts what comes
// in into 512-byte requests, keeps them and answers each one as `answer`
// says. It stops by itself after thirty seconds at the latest.
class LoopbackBox {
 public:
  using Answer = std::function<std::vector<uint8_t>(const std::vector<uint8_t>& request)>;

  explicit LoopbackBox(Answer answer = {}) : answer_(std::move(answer)) {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listen_ < 0 || ::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listen_, 1) != 0 ||
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
      return;
    port_ = ntohs(addr.sin_port);
    if (::pipe2(stop_, O_CLOEXEC) != 0) return;
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackBox() {
    if (stop_[1] >= 0) {
      const char c = 0;
      [[maybe_unused]] const ssize_t n = ::write(stop_[1], &c, 1);
    }
    if (thread_.joinable()) thread_.join();
    for (int fd : {listen_, client_, stop_[0], stop_[1]})
      if (fd >= 0) ::close(fd);
  }

  uint16_t Port() const { return port_; }

  std::vector<std::vector<uint8_t>> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }
  std::size_t BytesReceived() {
    std::lock_guard<std::mutex> lock(mutex_);
    return bytes_;
  }
  bool Connected() const { return connected_; }
  bool PeerClosed() const { return peerClosed_; }

  // Sends bytes as they are, from the test's thread.
  void SendRaw(const std::vector<uint8_t>& bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (client_ < 0) return;
    [[maybe_unused]] const ssize_t n = ::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  }

 private:
  void Serve() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    auto left = [&] {
      const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
      return ms > 0 ? static_cast<int>(ms) : 0;
    };
    pollfd accept[2] = {{listen_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
    if (::poll(accept, 2, left()) <= 0 || accept[1].revents) return;
    const int client = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      client_ = client;
    }
    connected_ = true;
    std::vector<uint8_t> pending;
    uint8_t buffer[4096];
    while (left() > 0) {
      pollfd fds[2] = {{client, POLLIN, 0}, {stop_[0], POLLIN, 0}};
      if (::poll(fds, 2, left()) <= 0 || fds[1].revents) return;
      const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) {
        peerClosed_ = true;
        return;
      }
      pending.insert(pending.end(), buffer, buffer + n);
      while (pending.size() >= kTcpFrameSize) {
        std::vector<uint8_t> request(pending.begin(), pending.begin() + kTcpFrameSize);
        pending.erase(pending.begin(), pending.begin() + kTcpFrameSize);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          requests_.push_back(request);
          bytes_ += kTcpFrameSize;
        }
        if (!answer_) continue;
        const std::vector<uint8_t> reply = answer_(request);
        if (!reply.empty()) SendRaw(reply);
      }
      std::lock_guard<std::mutex> lock(mutex_);
      bytes_ = requests_.size() * kTcpFrameSize + pending.size();
    }
  }

  Answer answer_;
  int listen_ = -1;
  int client_ = -1;
  int stop_[2] = {-1, -1};
  uint16_t port_ = 0;
  std::atomic<bool> connected_{false};
  std::atomic<bool> peerClosed_{false};
  std::mutex mutex_;
  std::vector<std::vector<uint8_t>> requests_;
  std::size_t bytes_ = 0;
  std::thread thread_;
};

// A loopback port on which nothing listens.
inline uint16_t ClosedLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

}  // namespace lumera::test
