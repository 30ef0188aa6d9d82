#pragma once

#include <string>

#include "tools/boxsim/box_config.h"
#include "tools/boxsim/box_server.h"

namespace lumera::boxsim {

struct SimOptions {
  BoxConfig box;
  ServerConfig server;
  std::string logPath;
  bool help = false;
};

// Reads the command line (long options, "--name value" or "--name=value").
// False with a message for an unknown option or a value out of range.
bool ParseOptions(int argc, const char* const* argv, SimOptions& out, std::string& error);
const char* HelpText();

}  // namespace lumera::boxsim
