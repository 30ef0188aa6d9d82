#include "conversation/frame_builders.h"

#include "link/command_templates.h"

namespace lumera {

void FrameBuilders::SendSelectWindow(uint8_t window) {
  ClearBuffer(session_.TxBuffer);
  FrameRef tx = session_.TxFrame();
  tx.SetCode(FrameCode::SelectWindow);
  tx.SetU8(8, window);
  sender_.SendFrame();
}

void FrameBuilders::SendPattern(unsigned index) {
  ClearBuffer(session_.TxBuffer);
  FrameRef tx = session_.TxFrame();
  tx.SetCode(FrameCode::PatternSelect);
  tx.SetU8(8, SubCode::Pattern);
  tx.SetU8(9, index < 7 ? kPatternCodes[index] : kPatternCodes[0]);
  sender_.SendFrame();
}

void FrameBuilders::SendWarpSelect(uint16_t pointIndex) {
  ClearBuffer(session_.TxBuffer);
  FrameRef tx = session_.TxFrame();
  tx.SetCode(FrameCode::WarpSelect);
  tx.SetU8(8, SubCode::WarpCursor);
  tx.SetU8(9, LinkTypeByte());
  tx.SetU16(10, pointIndex);
  sender_.SendFrame();
}

void FrameBuilders::SendCursor() {
  const WarpCursorPos& c = session_.Tools[session_.SelectedWindow & 3].WarpCursor;
  SendWarpSelect(static_cast<uint16_t>(c.row * WarpField::kColumns + c.column));
}

void FrameBuilders::SendCursorOff() {
  SendWarpSelect(0xFFFF);
}

void FrameBuilders::BlendMarkerWrite(uint8_t value) {
  ClearBuffer(session_.TxBuffer);
  FrameRef tx = session_.TxFrame();
  tx.SetCode(FrameCode::RegisterWrite);
  tx.SetU8(8, session_.SelectedWindow);
  tx.SetU8(9, 4);
  tx.SetU8(10, 1);
  tx.SetU8(11, 0);
  tx.SetU8(12, kBlendMarkerRegister);
  tx.SetU8(13, LinkTypeByte());
  tx.SetU8(14, value);
  tx.SetU8(15, 0);
  sender_.SendFrame();
}

void FrameBuilders::BlendControl(int value) {
  sender_.SendBoxCommand(LastDigitCommand(Tpl::EBC, value));
}

}  // namespace lumera
