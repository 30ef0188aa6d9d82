#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "link/hid_backend.h"
#include "link/hid_report_descriptor.h"
#include "link/transport.h"

namespace lumera {

class FrameHandover;
class TDevInThread;

inline constexpr uint16_t kBoxVendorId = 0x0416;

// The checked-out USB box: the opened device, its report lengths from the
// report descriptor, and its reader. Each request leaves as one output report
// of the declared length, report-id byte first.
class HidLink : public Transport {
 public:
  HidLink();
  HidLink(const HidLink&) = delete;
  HidLink& operator=(const HidLink&) = delete;
  ~HidLink() override;

  // Opens the first present device with this vendor and product id, reads
  // its report lengths and flushes its input queue. On failure the link stays
  // closed and the text says why, for the operator.
  bool CheckOut(HidBackend& backend, uint16_t vendorId, uint16_t productId, QString* error);
  // Starts the reader; frames go through the hand-over.
  void StartReader(FrameHandover& handover);
  // Stops the reader and releases the device.
  void Close();

  bool IsOpen() const { return device_ != nullptr; }
  bool ReaderRunning() const;
  const HidReportLengths& Lengths() const { return lengths_; }

  void Send(const FrameBuffer& txBuffer) override;

 private:
  void Flush();

  std::unique_ptr<HidDevice> device_;
  std::unique_ptr<TDevInThread> reader_;
  HidReportLengths lengths_;
};

}  // namespace lumera
