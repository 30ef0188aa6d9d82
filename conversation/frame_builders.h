#pragma once

#include <cstdint>
#include <functional>

#include "conversation/box_session.h"
#include "link/frame_sender.h"

namespace lumera {

// Test patterns by PatternIndex ("Off", "White", "Red", "Green", "Yellow",
// "Cyan", "Transparent").
inline constexpr uint8_t kPatternCodes[7] = {0x00, 0x07, 0x01, 0x02, 0x03, 0x06, 0x0F};
inline constexpr uint8_t kBlendMarkerRegister = 0xAE;

// The small requests that chains and pages share. Each clears the whole
// transmit buffer, fills its frame and sends it.
class FrameBuilders {
 public:
  FrameBuilders(BoxSession& session, FrameSender& sender, std::function<uint8_t()> linkType)
      : session_(session), sender_(sender), linkType_(std::move(linkType)) {}

  uint8_t LinkTypeByte() const { return linkType_ ? linkType_() : 1; }

  void SendSelectWindow(uint8_t window);
  // PatternSelect with the code of the pattern index (0 = off); an index out
  // of range sends "Off".
  void SendPattern(unsigned index);
  // WarpSelect marking the cursor point of the selected window, or none.
  void SendCursor();
  void SendCursorOff();
  // RegisterWrite showing (1) or hiding (0) the blend marker of the selected
  // window.
  void BlendMarkerWrite(uint8_t value);
  // "s00EBC+00n": blend control off (0) or on (1).
  void BlendControl(int value);

 private:
  void SendWarpSelect(uint16_t pointIndex);

  BoxSession& session_;
  FrameSender& sender_;
  std::function<uint8_t()> linkType_;
};

}  // namespace lumera
