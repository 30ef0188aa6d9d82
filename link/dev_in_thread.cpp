#include "link/dev_in_thread.h"

#include "link/frame_handover.h"
#include "link/hid_backend.h"

namespace lumera {

TDevInThread::TDevInThread(HidDevice& device, std::size_t inputReportLength,
                           FrameHandover& handover, QObject* parent)
    : QThread(parent), device_(device), handover_(handover), report_(inputReportLength) {
  setObjectName(QStringLiteral("TDevInThread"));
}

TDevInThread::~TDevInThread() {
  Terminate();
}

void TDevInThread::Terminate() {
  stop_ = true;
  handover_.Release();
  wait();
}

void TDevInThread::run() {
  while (!stop_) {
    const int n = device_.Read(report_.data(), report_.size(), kWakeMs);
    if (n < 0) return;
    if (n == 0) continue;
    if (!handover_.Deliver(report_.data(), static_cast<std::size_t>(n))) return;
  }
}

}  // namespace lumera
