#pragma once

#include <cstdint>
#include <string>

#include "conversation/box_session.h"

namespace lumera {

// The oldest firmware the tool works with, and the first whose sub-window
// colours are worth reading (the day after 210627).
inline constexpr uint32_t kMinimumVersion = 220922;
inline constexpr uint32_t kLastVersionWithoutSubColour = 210627;

// What the identification reply (ReadSystemInfo) says about the box.
struct SystemInfo {
  uint8_t selectedWindow = 0;  // out-of-range windows read as 0
  uint8_t modelByte = 0;
  uint32_t versionNumber = 0;
};
SystemInfo ParseSystemInfo(const FrameRef& reply);

// Stores the blocks of the reply that both the full read and the status
// re-read keep: VersionText, WindowSetup, the 8 kept bytes and NetworkInfo.
void StoreSystemInfoBlocks(const FrameRef& reply, SettingsImage& image);

// The version text up to its first zero byte.
std::string VersionTextOf(const SettingsImage& image);
// "%sM%d": the first three characters of the version text, "M", the number.
std::string McuVersionText(const SettingsImage& image, uint32_t versionNumber);
// The variant without the Blend 1 page: 'L' as the fourth character.
bool IsVariantWithoutBlend1(const SettingsImage& image);

// The number of windows the tool works with. The model byte's low nibble
// should be 1-4; anything else reads as the nearest of these, so that no loop
// over windows runs outside the blocks or not at all.
uint8_t UsableWindowCount(uint8_t modelByte);

}  // namespace lumera
