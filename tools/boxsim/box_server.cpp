#include "tools/boxsim/box_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "link/frame_codes.h"

namespace lumera::boxsim {

BoxServer::BoxServer(BoxModel& model, const ServerConfig& config, FrameLog& log)
    : model_(model), config_(config), log_(log), start_(Clock::now()) {
  if (config_.splitAt == 0 || config_.splitAt >= kTcpFrameSize) config_.splitAt = kTcpFrameSize / 2;
}

BoxServer::~BoxServer() {
  if (clientFd_ >= 0) ::close(clientFd_);
  if (listenFd_ >= 0) ::close(listenFd_);
}

bool BoxServer::Listen(std::string& error) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(config_.port);
  if (::inet_pton(AF_INET, config_.address.c_str(), &addr.sin_addr) != 1) {
    error = "not an IPv4 address: " + config_.address;
    return false;
  }
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listenFd_ < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    return false;
  }
  const int one = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listenFd_, 4) != 0) {
    error = "cannot listen on " + config_.address + ":" + std::to_string(config_.port) + ": " +
            std::strerror(errno);
    return false;
  }
  socklen_t len = sizeof addr;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  return true;
}

double BoxServer::Seconds(Clock::time_point t) const {
  return std::chrono::duration<double>(t - start_).count();
}

void BoxServer::Run(int stopFd) {
  enum { kStop, kStdin, kSocket, kCount };
  pollfd fds[kCount];
  for (;;) {
    const Clock::time_point now = Clock::now();
    fds[kStop] = {stopFd, POLLIN, 0};
    fds[kStdin] = {config_.exitOnStdinEof ? STDIN_FILENO : -1, POLLIN, 0};
    if (clientFd_ < 0) {
      fds[kSocket] = {listenFd_, POLLIN, 0};
    } else {
      short events = 0;
      // Room for the two frames one request may produce.
      if (!closePending_ && size_ + BoxResponse::kMaxFrames <= kQueue) events |= POLLIN;
      if (size_ > 0 && queue_[head_].due <= now) events |= POLLOUT;
      fds[kSocket] = {clientFd_, events, 0};
    }
    if (::poll(fds, kCount, PollTimeout(now)) < 0) {
      if (errno == EINTR) continue;
      std::perror("lumera-boxsim: poll");
      return;
    }
    if (fds[kStop].revents) return;
    if (fds[kStdin].revents) {
      char sink[256];
      const ssize_t n = ::read(STDIN_FILENO, sink, sizeof sink);
      if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) return;
    }
    if (clientFd_ < 0) {
      if (fds[kSocket].revents & POLLIN) Accept();
      continue;
    }
    const short revents = fds[kSocket].revents;
    if ((revents & (POLLIN | POLLHUP | POLLERR)) && !ReadClient()) continue;
    if (!WriteReady(Clock::now())) continue;
    if (closePending_ && size_ == 0) CloseClient("the box restarts");
  }
}

int BoxServer::PollTimeout(Clock::time_point now) const {
  if (clientFd_ < 0 || size_ == 0) return -1;
  const Clock::time_point due = queue_[head_].due;
  if (due <= now) return 0;
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
  return static_cast<int>(ms);
}

void BoxServer::Accept() {
  sockaddr_in peer{};
  socklen_t len = sizeof peer;
  const int fd =
      ::accept4(listenFd_, reinterpret_cast<sockaddr*>(&peer), &len, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  clientFd_ = fd;
  rxFill_ = 0;
  head_ = size_ = 0;
  queued_ = 0;
  stopped_ = false;
  closePending_ = false;
  const Clock::time_point now = Clock::now();
  if (!everConnected_) {
    everConnected_ = true;
    firstConnect_ = now;
  }
  model_.Connected();
  if (log_.Enabled()) {
    char text[64];
    char ip[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &peer.sin_addr, ip, sizeof ip);
    std::snprintf(text, sizeof text, "client %s:%u connected", ip, ntohs(peer.sin_port));
    log_.Note(Seconds(now), text);
  }
  if (config_.closeAfter == 0) CloseClient("close after 0 replies");
}

void BoxServer::CloseClient(const char* why) {
  if (clientFd_ < 0) return;
  ::close(clientFd_);
  clientFd_ = -1;
  head_ = size_ = 0;
  rxFill_ = 0;
  log_.Note(Seconds(Clock::now()), std::string("connection closed: ") + why);
}

// False when the client went away.
bool BoxServer::ReadClient() {
  const ssize_t n = ::recv(clientFd_, rx_.data() + rxFill_, rx_.size() - rxFill_, 0);
  if (n == 0) {
    CloseClient("by the client");
    return false;
  }
  if (n < 0) {
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return true;
    CloseClient(std::strerror(errno));
    return false;
  }
  rxFill_ += static_cast<std::size_t>(n);
  if (rxFill_ == rx_.size()) {
    rxFill_ = 0;
    Process(Clock::now());
  }
  return true;
}

void BoxServer::Process(Clock::time_point now) {
  const double t = Seconds(now);
  if (stopped_) {
    log_.Request(t, rx_.data(), "not answered");
    return;
  }
  log_.Request(t, rx_.data(), {});
  model_.SetElapsed(std::chrono::duration_cast<std::chrono::milliseconds>(now - firstConnect_));
  model_.Answer(rx_.data(), response_);
  for (std::size_t i = 0; i < response_.count; ++i) {
    const long number = ++queued_;
    if (config_.stopAfter >= 0 && number > config_.stopAfter) {
      stopped_ = true;
      log_.Note(t, "stopped answering");
      return;
    }
    Outgoing& out = queue_[(head_ + size_) % kQueue];
    ++size_;
    out.frame = response_.frames[i];
    if (config_.badMagicEvery > 0 && number % config_.badMagicEvery == 0)
      WriteU32(out.frame.data(), ~ReplyMagic);
    out.sent = 0;
    out.limit = config_.split ? config_.splitAt : kTcpFrameSize;
    out.due = now + std::chrono::milliseconds(config_.delayMs);
    out.number = number;
  }
  if (response_.closeConnection) closePending_ = true;
}

// Writes what is due. False when the client was closed.
bool BoxServer::WriteReady(Clock::time_point now) {
  while (size_ > 0 && queue_[head_].due <= now) {
    Outgoing& out = queue_[head_];
    const ssize_t n = ::send(clientFd_, out.frame.data() + out.sent, out.limit - out.sent,
                             MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0) {
      if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return true;
      CloseClient(std::strerror(errno));
      return false;
    }
    out.sent += static_cast<std::size_t>(n);
    if (out.sent < out.limit) return true;
    if (out.sent < kTcpFrameSize) {
      out.limit = kTcpFrameSize;
      out.due = now + std::chrono::milliseconds(config_.splitGapMs);
      return true;
    }
    log_.Reply(Seconds(now), out.frame.data(), {});
    const long number = out.number;
    head_ = (head_ + 1) % kQueue;
    --size_;
    if (config_.closeAfter > 0 && number >= config_.closeAfter) {
      CloseClient("close after N replies");
      return false;
    }
  }
  return true;
}

}  // namespace lumera::boxsim
