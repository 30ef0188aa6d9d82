#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "conversation/model_family.h"

namespace lumera {

// The share of v in [lo, hi] as a percentage 0-100, rounded to nearest. Large
// spans are halved first so that the products stay small, as the box's own
// tables were computed.
int GainPercent(int v, int lo, int hi);

// The gain byte 0-255 of a percentage 0-100 on the boxes whose gain bars run
// in percent: 50 % is the mid byte 128, and each half of the bar is spread
// linearly over its half of the byte range. Out-of-range input is clamped.
uint8_t PercentToGain(int percent);

// The scaling code the image holds for a radio index of RGScaling: "1 To 1"
// is stored as 5, the other two as their index.
uint8_t ScalingCodeOfIndex(int index);
// The radio index that shows a stored scaling code; codes past the last item
// show the last item (5 is "1 To 1" on three-item models).
int ScalingIndexOfCode(uint8_t code, int itemCount);

// The RGAudio index that shows the window's audio bytes.
int AudioIndexOf(uint8_t muteFlag, uint8_t source);

// Which picture controls an input signal allows: hue and saturation only for
// YUV, and an HDR signal locks contrast and colour.
struct PictureEnabling {
  bool hueAndSaturation;
  bool gains;
  bool colourAndContrast;
  bool operator==(const PictureEnabling&) const = default;
};
PictureEnabling PictureEnablingFor(uint8_t hdrFlag, uint8_t colourFormat, bool customColour);

// What the orientation controls show for a stored orientation: the
// orientation to show and the enabled state of each rotation button and of
// the "Orientation" group (nullopt: left as it is).
struct RotationView {
  int shown = 0;
  std::array<std::optional<bool>, 6> buttonEnabled{};
  std::optional<bool> groupEnabled;
  bool operator==(const RotationView&) const = default;
};
inline constexpr int kOrientations = 6;
// orientation must already be 0-5.
RotationView RotationViewFor(Family family, uint8_t pipMode, int orientation);

}  // namespace lumera
