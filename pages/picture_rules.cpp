#include "pages/picture_rules.h"

namespace lumera {

int GainPercent(int v, int lo, int hi) {
  if (lo >= hi || v < lo) return 0;
  if (v > hi) return 100;
  int64_t off = static_cast<int64_t>(v) - lo;
  int64_t span = static_cast<int64_t>(hi) - lo;
  if (off > 650) {
    off /= 2;
    span /= 2;
  }
  return static_cast<int>(((off * 100 + span / 2) / span) % 101);
}

uint8_t PercentToGain(int percent) {
  const int p = percent < 0 ? 0 : (percent > 100 ? 100 : percent);
  if (p == 50) return 128;
  if (p > 50) return static_cast<uint8_t>(128 + ((p - 50) * 127 + 25) / 50);
  return static_cast<uint8_t>((p * 128 + 25) / 50);
}

uint8_t ScalingCodeOfIndex(int index) {
  return index < 2 ? static_cast<uint8_t>(index) : 5;
}

int ScalingIndexOfCode(uint8_t code, int itemCount) {
  if (itemCount <= 0) return -1;
  return code < itemCount ? code : itemCount - 1;
}

int AudioIndexOf(uint8_t muteFlag, uint8_t source) {
  return muteFlag != 0 ? 2 : (source & 1);
}

PictureEnabling PictureEnablingFor(uint8_t hdrFlag, uint8_t colourFormat, bool customColour) {
  const bool hdr = hdrFlag != 0;
  const bool yuv = colourFormat != 0;
  return {yuv && !hdr, customColour && !hdr, !hdr};
}

RotationView RotationViewFor(Family family, uint8_t pipMode, int orientation) {
  RotationView view;
  view.shown = orientation;
  if (family == Family::M) {
    // The box cannot turn a window by a quarter while it shows a PIP layout;
    // the stored quarter turn stays in the image for when the layout ends.
    const bool quarterTurns = pipMode == 0;
    view.buttonEnabled = {true, quarterTurns, quarterTurns, true, true, std::nullopt};
    if (!quarterTurns && (orientation == 1 || orientation == 2)) view.shown = 0;
    return view;
  }
  const bool enabled = pipMode < 9;
  view.buttonEnabled.fill(enabled);
  view.groupEnabled = enabled;
  return view;
}

}  // namespace lumera
