#pragma once

#include <cstdint>

#include "conversation/box_session.h"
#include "link/box_command.h"
#include "link/frame_codes.h"
#include "link/transport.h"

namespace lumera {

// What a send shows on the window: the step read-out after a send, and the
// undoing of a busy window when a send finds the link down.
class SendObserver {
 public:
  virtual ~SendObserver() = default;
  virtual void SendDroppedLinkDown() = 0;  // default cursor, main window enabled
  virtual void FrameSent(uint32_t step) = 0;
};

// The only sender. It writes the current transmit buffer to the chosen
// transport, or drops it when the link is down or a page is loading.
class FrameSender {
 public:
  explicit FrameSender(BoxSession& session) : session_(session) {}

  void SetTransport(Transport* transport) { transport_ = transport; }
  Transport* CurrentTransport() const { return transport_; }
  void SetObserver(SendObserver* observer) { observer_ = observer; }

  void SendFrame();

  // Clears the whole transmit buffer, sets the FrameCode and sends; for the
  // requests without payload.
  void SendRequest(uint32_t frameCode);
  // Clears the transmit buffer, puts the command at frame byte 8 under the
  // given FrameCode and sends.
  void SendBoxCommand(const BoxCommand& command, uint32_t frameCode = FrameCode::SendCommand);

 private:
  BoxSession& session_;
  Transport* transport_ = nullptr;
  SendObserver* observer_ = nullptr;
};

}  // namespace lumera
