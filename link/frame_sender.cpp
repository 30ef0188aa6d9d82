#include "link/frame_sender.h"

namespace lumera {

void FrameSender::SendFrame() {
  if (!session_.Connected()) {
    session_.ConversationStep = 0;
    if (observer_) observer_->SendDroppedLinkDown();
    return;
  }
  if (session_.Has(LinkFlag::RefreshGuard)) return;
  if (transport_) transport_->Send(session_.TxBuffer);
  if (observer_) observer_->FrameSent(session_.ConversationStep);
}

void FrameSender::SendRequest(uint32_t frameCode) {
  ClearBuffer(session_.TxBuffer);
  session_.TxFrame().SetCode(frameCode);
  SendFrame();
}

void FrameSender::SendBoxCommand(const BoxCommand& command, uint32_t frameCode) {
  ClearBuffer(session_.TxBuffer);
  FrameRef tx = session_.TxFrame();
  tx.SetCode(frameCode);
  tx.CopyIn(kBoxCommandOffset, reinterpret_cast<const uint8_t*>(command.bytes.data()),
            kBoxCommandSize);
  SendFrame();
}

}  // namespace lumera
