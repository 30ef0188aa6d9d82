#include "link/hidapi_backend.h"

#include <hidapi/hidapi.h>

#include <cctype>
#include <fstream>
#include <iterator>

namespace lumera {

namespace {

// The largest descriptor the kernel hands out.
constexpr std::size_t kMaxDescriptorSize = 4096;

struct HidHandleCloser {
  void operator()(hid_device* d) const {
    if (d) hid_close(d);
  }
};
using HidHandle = std::unique_ptr<hid_device, HidHandleCloser>;

// hidapi keeps per-handle error text that both a read and a write rewrite, so
// the reader thread and the UI thread each get a handle of their own. hidraw
// gives every open handle its own copy of the input reports; the writer's
// copies are never read and the kernel drops them when its queue is full.
class HidapiDevice : public HidDevice {
 public:
  HidapiDevice(HidHandle reader, HidHandle writer, std::string path)
      : reader_(std::move(reader)), writer_(std::move(writer)), path_(std::move(path)) {}

  int Read(uint8_t* buffer, std::size_t size, int timeoutMs) override {
    return hid_read_timeout(reader_.get(), buffer, size, timeoutMs);
  }
  int Write(const uint8_t* data, std::size_t size) override {
    return hid_write(writer_.get(), data, size);
  }
  std::vector<uint8_t> ReportDescriptor() override {
    const std::string file = HidrawDescriptorPath(path_);
    if (file.empty()) return {};
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::vector<uint8_t> bytes;
    bytes.reserve(kMaxDescriptorSize);
    for (std::istreambuf_iterator<char> it(in), end; it != end && bytes.size() < kMaxDescriptorSize;
         ++it)
      bytes.push_back(static_cast<uint8_t>(*it));
    return bytes;
  }

 private:
  HidHandle reader_;
  HidHandle writer_;
  std::string path_;
};

}  // namespace

std::string HidrawDescriptorPath(const std::string& devicePath) {
  const std::string prefix = "/dev/hidraw";
  if (devicePath.size() <= prefix.size() || devicePath.compare(0, prefix.size(), prefix) != 0)
    return {};
  for (std::size_t i = prefix.size(); i < devicePath.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(devicePath[i]))) return {};
  return "/sys/class/hidraw/" + devicePath.substr(5) + "/device/report_descriptor";
}

std::vector<HidDeviceInfo> HidapiBackend::Enumerate() {
  std::vector<HidDeviceInfo> devices;
  hid_device_info* list = hid_enumerate(0, 0);
  for (const hid_device_info* d = list; d; d = d->next)
    devices.push_back({d->path ? d->path : "", d->vendor_id, d->product_id});
  hid_free_enumeration(list);
  return devices;
}

std::unique_ptr<HidDevice> HidapiBackend::Open(const std::string& path) {
  HidHandle reader(hid_open_path(path.c_str()));
  if (!reader) return nullptr;
  HidHandle writer(hid_open_path(path.c_str()));
  if (!writer) return nullptr;
  return std::make_unique<HidapiDevice>(std::move(reader), std::move(writer), path);
}

}  // namespace lumera
