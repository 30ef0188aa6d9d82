#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace lumera::boxsim {

// One readable line per request and per reply, flushed at once so that a
// test or an operator can follow the exchange while it runs:
//     3.021 > 6100 SendCommand          s00BRI+060
//     3.021 < 6100 SendCommand          00 00 00 00 ...
class FrameLog {
 public:
  FrameLog() = default;
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;
  ~FrameLog();

  // "-" writes to stdout. An empty path leaves the log off.
  bool Open(const std::string& path, std::string& error);
  bool Enabled() const { return file_ != nullptr; }

  void Request(double seconds, const uint8_t* frame, std::string_view note);
  void Reply(double seconds, const uint8_t* frame, std::string_view note);
  void Note(double seconds, std::string_view text);

 private:
  void Frame(double seconds, char direction, const uint8_t* frame, std::string_view note);

  std::FILE* file_ = nullptr;
  bool owned_ = false;
};

}  // namespace lumera::boxsim
