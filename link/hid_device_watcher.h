#pragma once

#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace lumera {

// Tells when a HID device arrives or leaves. hidapi has no such call, so this
// listens to udev's hidraw events on the UI loop; where udev is not there
// (some containers) it stays silent.
class HidDeviceWatcher : public QObject {
  Q_OBJECT
 public:
  explicit HidDeviceWatcher(QObject* parent = nullptr);
  ~HidDeviceWatcher() override;

  bool Watching() const { return notifier_ != nullptr; }

 signals:
  void DeviceChanged();

 private:
  void Receive();

  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lumera
