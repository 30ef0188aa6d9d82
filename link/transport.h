#pragma once

#include "link/frame.h"

namespace lumera {

// The active way to the box. Send takes the whole transmit buffer (report-id
// byte first) and writes it in the transport's own envelope: 512 bytes from
// frame byte 0 over TCP, one output report of the declared length over USB.
class Transport {
 public:
  virtual ~Transport() = default;
  virtual void Send(const FrameBuffer& txBuffer) = 0;
};

}  // namespace lumera
