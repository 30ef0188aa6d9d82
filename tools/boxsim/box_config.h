#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lumera::boxsim {

// What kind of box the simulator plays and which scenario it runs. Everything
// here is the box's own behaviour; faults of the connection live in
// ServerConfig.
struct BoxConfig {
  // Low nibble: window count; bit 0x10 FamilyU, else bit 0x20 FamilyM, else
  // FamilyG; bit 0x01 of a FamilyG byte: the five-input variant.
  uint8_t modelByte = 0x14;
  uint32_t versionNumber = 221109;  // YYMMDD
  std::string versionText;          // empty: a text made from the family
  bool lVariant = false;            // 'L' as the fourth character of the text
  bool k712 = false;                // the second device family
  bool inputExtra = true;           // ReadInputInfo carries the InputExtra marker

  // Scenario: seconds after the first client connected (negative: never).
  int signalAfterSec = -1;
  int signalWindow = -1;  // -1: the last window
  int timingChangeAfterSec = -1;
  int timingWindow = 0;
  int newTimingCode = -1;  // -1: 1920x1080 (code 3), or 1920x1200 when already 3

  // Multi-channel board: channel bits of the query answer (0 = no board) and
  // how many queries are answered "no channel" before the first real answer.
  uint8_t boardChannels = 0x0F;
  unsigned emptyBoardAnswers = 0;
  bool wrongFirmwareChecksum = false;

  // Reported as the box's static address (the address the simulator listens on).
  std::array<uint8_t, 4> ipAddress{127, 0, 0, 1};
};

}  // namespace lumera::boxsim
