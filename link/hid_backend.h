#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumera {

struct HidDeviceInfo {
  std::string path;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
};

// One opened HID device. Read runs on the reader thread while Write runs on
// the UI thread, so an implementation keeps the two apart.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  // One input report into buffer: its byte count, 0 when none came within
  // timeoutMs, -1 when the device can no longer be read (it was unplugged).
  virtual int Read(uint8_t* buffer, std::size_t size, int timeoutMs) = 0;
  // One output report, report-id byte first; the byte count or -1.
  virtual int Write(const uint8_t* data, std::size_t size) = 0;
  // The raw report descriptor; empty when it cannot be read.
  virtual std::vector<uint8_t> ReportDescriptor() = 0;
};

// The HID library as the tool uses it, so that tests can put a fake in.
class HidBackend {
 public:
  virtual ~HidBackend() = default;
  virtual std::vector<HidDeviceInfo> Enumerate() = 0;
  // nullptr when the device cannot be opened.
  virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;
};

}  // namespace lumera
