#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace lumera::test {

// Runs lumera-boxsim for one test: starts it on a free loopback port, reads
// the port from its first line, and stops it again. Every wait is bounded,
// and the simulator ends by itself when the test process dies (its stdin
// closes).
class BoxsimProcess {
 public:
  BoxsimProcess() = default;
  BoxsimProcess(const BoxsimProcess&) = delete;
  BoxsimProcess& operator=(const BoxsimProcess&) = delete;
  ~BoxsimProcess() { Stop(); }

  // The simulator's path as ctest passes it, else as the build knows it;
  // empty when neither is set.
  static std::string Path() {
    if (const char* p = std::getenv("LUMERA_BOXSIM"); p && *p) return p;
#ifdef LUMERA_BOXSIM_PATH
    return LUMERA_BOXSIM_PATH;
#else
    return "";
#endif
  }

  // Starts the simulator with the given options plus "--port 0" (unless a
  // port is given) and "--exit-on-stdin-eof". False with a reason when it
  // does not report a port within the time-out.
  bool Start(const std::vector<std::string>& options, std::string* error = nullptr,
             std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    Stop();
    const std::string path = Path();
    if (path.empty()) return Fail(error, "LUMERA_BOXSIM is not set");

    std::vector<std::string> args{path};
    bool hasPort = false;
    for (const std::string& o : options) {
      args.push_back(o);
      hasPort = hasPort || o == "--port" || o.rfind("--port=", 0) == 0;
    }
    if (!hasPort) args.insert(args.end(), {"--port", "0"});
    args.push_back("--exit-on-stdin-eof");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return Fail(error, "pipe");
    if (::pipe2(out, O_CLOEXEC) != 0) {
      ::close(in[0]);
      ::close(in[1]);
      return Fail(error, "pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const int rc = ::posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    stdin_ = in[1];
    stdout_ = out[0];
    if (rc != 0) {
      pid_ = -1;
      Stop();
      return Fail(error, "cannot start " + path);
    }

    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (line.find('\n') == std::string::npos && line.size() < 256) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd fd{stdout_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&fd, 1, static_cast<int>(left.count())) <= 0) break;
      char c;
      if (::read(stdout_, &c, 1) != 1) break;
      line += c;
    }
    const std::string prefix = "lumera-boxsim listening on ";
    const auto colon = line.rfind(':');
    if (line.rfind(prefix, 0) != 0 || colon == std::string::npos) {
      Stop();
      return Fail(error, "no port reported; got \"" + line + "\"");
    }
    port_ = static_cast<uint16_t>(std::atoi(line.c_str() + colon + 1));
    // Nothing else is read from stdout; the simulator ignores a closed pipe.
    ::close(stdout_);
    stdout_ = -1;
    return port_ != 0 || Fail(error, "port 0 reported");
  }

  uint16_t Port() const {
    return port_;
  }
  bool Started() const {
    return pid_ > 0;
  }
  bool Signal(int signal) const {
    return pid_ > 0 && ::kill(pid_, signal) == 0;
  }

  // Closes its stdin and waits up to five seconds for it to end, then kills
  // it. Returns the exit status, or -1 when it had to be killed or was not
  // running.
  int Stop() {
    if (stdin_ >= 0) ::close(stdin_);
    if (stdout_ >= 0) ::close(stdout_);
    stdin_ = stdout_ = -1;
    port_ = 0;
    if (pid_ <= 0) return -1;
    const pid_t pid = pid_;
    pid_ = -1;
    bool ended = false;
    const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd >= 0) {
      pollfd fd{pidfd, POLLIN, 0};
      ended = ::poll(&fd, 1, 5000) == 1;
      ::close(pidfd);
    }
    if (!ended) ::kill(pid, SIGKILL);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  static bool Fail(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
  }

  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
  uint16_t port_ = 0;
};

}  // namespace lumera::test
