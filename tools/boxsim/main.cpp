#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "tools/boxsim/box_model.h"
#include "tools/boxsim/box_server.h"
#include "tools/boxsim/frame_log.h"
#include "tools/boxsim/sim_options.h"

namespace {

int stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(stopPipe[1], &byte, 1);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace lumera::boxsim;
  SimOptions options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "lumera-boxsim: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(HelpText(), stdout);
    return 0;
  }

  // A client that goes away mid-write must not end the simulator; nor may a
  // reader of stdout that stops reading after the first line.
  std::signal(SIGPIPE, SIG_IGN);
  if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("lumera-boxsim: pipe");
    return 1;
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  FrameLog log;
  if (!log.Open(options.logPath, error)) {
    std::fprintf(stderr, "lumera-boxsim: %s\n", error.c_str());
    return 1;
  }
  BoxModel model(options.box);
  BoxServer server(model, options.server, log);
  if (!server.Listen(error)) {
    std::fprintf(stderr, "lumera-boxsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("lumera-boxsim listening on %s:%u\n", options.server.address.c_str(),
              static_cast<unsigned>(server.Port()));
  std::fflush(stdout);

  server.Run(stopPipe[0]);
  return 0;
}
