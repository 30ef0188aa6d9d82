#include "tools/boxsim/frame_log.h"

#include <cerrno>
#include <cstring>

#include "link/frame.h"
#include "link/frame_codes.h"
#include "tools/boxsim/frame_names.h"

namespace lumera::boxsim {

namespace {

constexpr std::size_t kShownBytes = 16;

bool CarriesCommand(uint32_t code) {
  return code == FrameCode::SendCommand || code == FrameCode::LoadProfile ||
         code == FrameCode::ProfileCommand || code == FrameCode::FactoryReset;
}

}  // namespace

FrameLog::~FrameLog() {
  if (owned_ && file_) std::fclose(file_);
}

bool FrameLog::Open(const std::string& path, std::string& error) {
  if (path.empty()) return true;
  if (path == "-") {
    file_ = stdout;
    return true;
  }
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) {
    error = "cannot open log file " + path + ": " + std::strerror(errno);
    return false;
  }
  owned_ = true;
  return true;
}

void FrameLog::Request(double seconds, const uint8_t* frame, std::string_view note) {
  Frame(seconds, '>', frame, note);
}

void FrameLog::Reply(double seconds, const uint8_t* frame, std::string_view note) {
  Frame(seconds, '<', frame, note);
}

void FrameLog::Note(double seconds, std::string_view text) {
  if (!file_) return;
  std::fprintf(file_, "%9.3f # %.*s\n", seconds, static_cast<int>(text.size()), text.data());
  std::fflush(file_);
}

void FrameLog::Frame(double seconds, char direction, const uint8_t* frame, std::string_view note) {
  if (!file_) return;
  const uint32_t code = ReadU32(frame + 4);
  const std::string_view name = FrameName(code);
  char detail[3 * kShownBytes + 8] = {};
  if (direction == '>' && CarriesCommand(code)) {
    // The ASCII command without its CR LF; unprintable bytes show as '.'.
    for (std::size_t i = 0; i < 10; ++i) {
      const uint8_t c = frame[8 + i];
      detail[i] = c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
    }
  } else {
    char* p = detail;
    for (std::size_t i = 0; i < kShownBytes; ++i, p += 3)
      std::snprintf(p, 4, i + 1 < kShownBytes ? "%02X " : "%02X", frame[8 + i]);
  }
  std::fprintf(file_, "%9.3f %c %04X %-16.*s %s", seconds, direction, code,
               static_cast<int>(name.size()), name.data(), detail);
  if (direction == '<' && ReadU32(frame) != ReplyMagic)
    std::fprintf(file_, " [magic %08X]", ReadU32(frame));
  if (!note.empty()) std::fprintf(file_, " (%.*s)", static_cast<int>(note.size()), note.data());
  std::fputc('\n', file_);
  std::fflush(file_);
}

}  // namespace lumera::boxsim
