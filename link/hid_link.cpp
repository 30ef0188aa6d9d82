#include "link/hid_link.h"

#include <vector>

#include "link/dev_in_thread.h"
#include "link/frame.h"
#include "link/frame_handover.h"

namespace lumera {

namespace {

// Enough to empty the kernel's queue of a hidraw node.
constexpr int kMaxFlushedReports = 256;

}  // namespace

HidLink::HidLink() = default;

HidLink::~HidLink() {
  Close();
}

bool HidLink::CheckOut(HidBackend& backend, uint16_t vendorId, uint16_t productId, QString* error) {
  Close();
  std::string path;
  for (const HidDeviceInfo& d : backend.Enumerate()) {
    if (d.vendorId == vendorId && d.productId == productId) {
      path = d.path;
      break;
    }
  }
  auto fail = [error](const char* text) {
    if (error) *error = QString::fromLatin1(text);
    return false;
  };
  if (path.empty()) return fail("The USB box is no longer connected.");
  std::unique_ptr<HidDevice> device = backend.Open(path);
  if (!device)
    return fail(
        "Can't open the USB box. Check that this user may use the device (see the udev rule "
        "in the package).");
  const std::vector<uint8_t> descriptor = device->ReportDescriptor();
  const std::optional<HidReportLengths> lengths =
      ParseHidReportDescriptor(descriptor.data(), descriptor.size());
  if (!lengths || lengths->input == 0 || lengths->output == 0 ||
      lengths->input > kFrameBufferSize || lengths->output > kFrameBufferSize)
    return fail("The USB box does not describe reports this tool can use.");
  device_ = std::move(device);
  lengths_ = *lengths;
  Flush();
  return true;
}

void HidLink::Flush() {
  std::vector<uint8_t> scratch(lengths_.input);
  for (int i = 0; i < kMaxFlushedReports; ++i)
    if (device_->Read(scratch.data(), scratch.size(), 0) <= 0) break;
}

void HidLink::StartReader(FrameHandover& handover) {
  if (!device_) return;
  reader_ = std::make_unique<TDevInThread>(*device_, lengths_.input, handover);
  handover.Open();
  reader_->start();
}

void HidLink::Close() {
  if (reader_) {
    reader_->Terminate();
    reader_.reset();
  }
  device_.reset();
  lengths_ = {};
}

bool HidLink::ReaderRunning() const {
  return reader_ && reader_->isRunning();
}

void HidLink::Send(const FrameBuffer& txBuffer) {
  if (!device_) return;
  device_->Write(txBuffer.data(), lengths_.output);
}

}  // namespace lumera
