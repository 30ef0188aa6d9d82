#pragma once

#include "link/hid_backend.h"

namespace lumera {

// hidapi on its hidraw back end.
class HidapiBackend : public HidBackend {
 public:
  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
};

// The sysfs file that holds the report descriptor of a hidraw node
// ("/dev/hidraw3" -> "/sys/class/hidraw/hidraw3/device/report_descriptor");
// empty for a path that is not a hidraw node.
std::string HidrawDescriptorPath(const std::string& devicePath);

}  // namespace lumera
