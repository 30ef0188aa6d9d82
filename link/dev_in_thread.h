#pragma once

#include <QThread>
#include <atomic>
#include <cstdint>
#include <vector>

namespace lumera {

class FrameHandover;
class HidDevice;

// The USB reader, one per USB link. It reads one input report at a time,
// waking every 100 ms to see whether it is asked to stop, and hands each
// report over to the UI thread, waiting there until it has been handled. A
// device that can no longer be read (unplugged) ends it.
class TDevInThread : public QThread {
  Q_OBJECT
 public:
  static constexpr int kWakeMs = 100;

  TDevInThread(HidDevice& device, std::size_t inputReportLength, FrameHandover& handover,
               QObject* parent = nullptr);
  ~TDevInThread() override;

  // Asks the thread to end and waits for it; also from inside the handling of
  // a report this thread handed over.
  void Terminate();

 protected:
  void run() override;

 private:
  HidDevice& device_;
  FrameHandover& handover_;
  std::vector<uint8_t> report_;
  std::atomic<bool> stop_{false};
};

}  // namespace lumera
