#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/frame_codes.h"

namespace lumera::test {

// A box in a few lines, for unit tests of the conversation: it answers a
// request (512 bytes as the tool sent them) with a 512-byte reply whose
// payload is a recognisable pattern, plus the identification fields.
struct ScriptedBox {
  uint8_t model = 0x14;
  uint32_t version = 221109;
  uint8_t selectedWindow = 0;
  std::string versionText = "V32.1";
  uint8_t rawGridCount = 3;
  // Lets a test change any reply after it is built.
  std::function<void(uint32_t code, std::vector<uint8_t>& reply)> tweak;

  static std::vector<uint8_t> Frame(uint32_t code) {
    std::vector<uint8_t> f(kTcpFrameSize, 0);
    WriteU32(f.data(), ReplyMagic);
    WriteU32(f.data() + 4, code);
    return f;
  }

  std::vector<uint8_t> Answer(const std::vector<uint8_t>& request) const {
    const uint32_t code = ReadU32(request.data() + 4);
    std::vector<uint8_t> r = Frame(code);
    // Payload bytes carry their offset and the code, so a block stored at the
    // wrong offset shows.
    for (std::size_t i = 8; i < r.size(); ++i) r[i] = static_cast<uint8_t>((i * 7 + code) & 0xFF);
    switch (code) {
      case FrameCode::Identify:
        r[8] = 1;
        r[20] = r[21] = 0;
        break;
      case FrameCode::ReadSystemInfo:
        r[8] = 1;
        r[10] = selectedWindow;
        r[11] = model;
        r[12] = static_cast<uint8_t>(version >> 16);
        r[13] = static_cast<uint8_t>(version >> 8);
        r[14] = static_cast<uint8_t>(version);
        for (std::size_t i = 0; i < 32; ++i)
          r[16 + i] = i < versionText.size() ? static_cast<uint8_t>(versionText[i]) : 0;
        WriteU32(r.data() + 184, 0);  // static addressing
        break;
      case FrameCode::ReadInputInfo:
        WriteU32(r.data() + 136, 0x12345678);
        break;
      case FrameCode::ReadRawGrid:
        r[8] = rawGridCount;
        break;
      default:
        break;
    }
    if (tweak) tweak(code, r);
    return r;
  }
};

}  // namespace lumera::test
