#include "tools/boxsim/sim_options.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace lumera::boxsim {

namespace {

bool ParseNumber(std::string_view text, long min, long max, long& out) {
  const std::string s(text);
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(s.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v < min || v > max) return false;
  out = v;
  return true;
}

}  // namespace

const char* HelpText() {
  return R"(Usage: lumera-boxsim [options]

A simulated box: speaks the box's side of the control protocol over TCP,
keeps the box's settings, and answers every request with one 512-byte frame.

Connection:
  --address A              listen address (default 127.0.0.1)
  --port P                 listen port (default 7; 0 picks a free port)
  --exit-on-stdin-eof      end when standard input is closed
  --log FILE               one line per request and reply; "-" for stdout

The box:
  --model 0xNN             model byte (default 0x14): low nibble = windows
                           (1-4), bit 0x10 family U, else bit 0x20 family M,
                           else family G; on family G bit 0x01 = five inputs
  --version YYMMDD         firmware version number (default 221109)
  --version-text TEXT      firmware version text (default from the family)
  --l-variant              'L' as fourth character of the version text
                           (the variant without the Blend 1 page)
  --k712                   the second device family (model K712)
  --no-input-extra         input info without the extra signal details

Scenario (seconds counted from the first client's connection):
  --signal-after SEC       a signal appears on a window's input after SEC
  --signal-window N        that window, 1-4 (default: the last window)
  --timing-change-after SEC  the output timing of a window changes after SEC
  --timing-window N        that window, 1-4 (default 1)
  --timing-code CODE       the new timing code (default 3, or 17 if already 3)

Firmware:
  --board-channels BITS    channels of the multi-channel board (default 0x0F;
                           0 = no board)
  --empty-board-answers N  answer N board queries with "no channel" first
  --wrong-checksum         report every firmware checksum off by one

Faults (counted per connection):
  --stop-after N           stop answering after N replies
  --close-after N          close the connection after N replies
  --bad-magic-every N      every Nth reply carries a wrong magic
  --delay-ms MS            delay every reply by MS milliseconds
  --split                  write every reply in two parts
  --split-at BYTES         size of the first part (default 256)
  --split-gap-ms MS        pause between the parts (default 20)

  --help                   this text

On start the simulator prints one line, "lumera-boxsim listening on A:P".
It ends on SIGINT or SIGTERM.
)";
}

bool ParseOptions(int argc, const char* const* argv, SimOptions& out, std::string& error) {
  bool modelGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view inlineValue;
    bool hasInline = false;
    if (const auto eq = arg.find('='); arg.substr(0, 2) == "--" && eq != std::string_view::npos) {
      inlineValue = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      hasInline = true;
    }
    auto value = [&](std::string_view& v) {
      if (hasInline) {
        v = inlineValue;
        return true;
      }
      if (i + 1 >= argc) {
        error = std::string(arg) + " needs a value";
        return false;
      }
      v = argv[++i];
      return true;
    };
    auto number = [&](long min, long max, long& n) {
      std::string_view v;
      if (!value(v)) return false;
      if (!ParseNumber(v, min, max, n)) {
        error = std::string(arg) + ": not a number from " + std::to_string(min) + " to " +
                std::to_string(max) + ": " + std::string(v);
        return false;
      }
      return true;
    };
    auto flag = [&](bool& target) {
      if (hasInline) {
        error = std::string(arg) + " takes no value";
        return false;
      }
      target = true;
      return true;
    };

    long n = 0;
    std::string_view v;
    BoxConfig& box = out.box;
    ServerConfig& server = out.server;
    bool ok = true;
    if (arg == "--help" || arg == "-h") {
      ok = flag(out.help);
    } else if (arg == "--address") {
      ok = value(v);
      server.address = std::string(v);
    } else if (arg == "--port") {
      ok = number(0, 65535, n);
      server.port = static_cast<uint16_t>(n);
    } else if (arg == "--exit-on-stdin-eof") {
      ok = flag(server.exitOnStdinEof);
    } else if (arg == "--log") {
      ok = value(v);
      out.logPath = std::string(v);
    } else if (arg == "--model") {
      ok = number(0, 255, n);
      box.modelByte = static_cast<uint8_t>(n);
      modelGiven = true;
    } else if (arg == "--version") {
      ok = number(0, 0xFFFFFF, n);
      box.versionNumber = static_cast<uint32_t>(n);
    } else if (arg == "--version-text") {
      ok = value(v);
      box.versionText = std::string(v);
    } else if (arg == "--l-variant") {
      ok = flag(box.lVariant);
    } else if (arg == "--k712") {
      ok = flag(box.k712);
    } else if (arg == "--no-input-extra") {
      bool off = false;
      ok = flag(off);
      box.inputExtra = !off;
    } else if (arg == "--signal-after") {
      ok = number(0, 86400, n);
      box.signalAfterSec = static_cast<int>(n);
    } else if (arg == "--signal-window") {
      ok = number(1, 4, n);
      box.signalWindow = static_cast<int>(n - 1);
    } else if (arg == "--timing-change-after") {
      ok = number(0, 86400, n);
      box.timingChangeAfterSec = static_cast<int>(n);
    } else if (arg == "--timing-window") {
      ok = number(1, 4, n);
      box.timingWindow = static_cast<int>(n - 1);
    } else if (arg == "--timing-code") {
      ok = number(0, 255, n);
      box.newTimingCode = static_cast<int>(n);
    } else if (arg == "--board-channels") {
      ok = number(0, 0x0F, n);
      box.boardChannels = static_cast<uint8_t>(n);
    } else if (arg == "--empty-board-answers") {
      ok = number(0, 1000, n);
      box.emptyBoardAnswers = static_cast<unsigned>(n);
    } else if (arg == "--wrong-checksum") {
      ok = flag(box.wrongFirmwareChecksum);
    } else if (arg == "--stop-after") {
      ok = number(0, 1L << 30, server.stopAfter);
    } else if (arg == "--close-after") {
      ok = number(0, 1L << 30, server.closeAfter);
    } else if (arg == "--bad-magic-every") {
      ok = number(1, 1L << 30, server.badMagicEvery);
    } else if (arg == "--delay-ms") {
      ok = number(0, 600000, n);
      server.delayMs = static_cast<unsigned>(n);
    } else if (arg == "--split") {
      ok = flag(server.split);
    } else if (arg == "--split-at") {
      ok = number(1, 511, n);
      server.splitAt = static_cast<unsigned>(n);
    } else if (arg == "--split-gap-ms") {
      ok = number(0, 60000, n);
      server.splitGapMs = static_cast<unsigned>(n);
    } else {
      error = "unknown option: " + std::string(argv[i]) + " (see --help)";
      ok = false;
    }
    if (!ok) return false;
  }

  if (out.box.k712 && !modelGiven) out.box.modelByte = 0x01;
  in_addr addr{};
  if (::inet_pton(AF_INET, out.server.address.c_str(), &addr) == 1 && addr.s_addr != INADDR_ANY)
    std::memcpy(out.box.ipAddress.data(), &addr, 4);
  return true;
}

}  // namespace lumera::boxsim
