#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/hid_backend.h"

namespace lumera::test {

// What the fake devices share with the test: the reports waiting to be read,
// the reports written, and an optional box that answers each write.
struct FakeHidState {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::vector<uint8_t>> reports;
  std::vector<std::vector<uint8_t>> writes;
  std::vector<uint8_t> descriptor;
  // Called for every write with the written bytes; what it returns (if not
  // empty) is queued as the next input report.
  std::function<std::vector<uint8_t>(const std::vector<uint8_t>&)> answer;
  bool gone = false;       // reads fail, as after an unplug
  int taken = 0;           // reports handed to a reader
  int readsSinceTake = 0;  // reads begun after the last report was taken
  int openDevices = 0;

  void Queue(std::vector<uint8_t> report) {
    std::lock_guard<std::mutex> lock(mutex);
    reports.push_back(std::move(report));
    changed.notify_all();
  }
  std::vector<std::vector<uint8_t>> Writes() {
    std::lock_guard<std::mutex> lock(mutex);
    return writes;
  }
  void ClearWrites() {
    std::lock_guard<std::mutex> lock(mutex);
    writes.clear();
  }
  // True once the reader took every queued report and came back for more,
  // that is, once the hand-over of the last one has returned.
  bool Drained() {
    std::lock_guard<std::mutex> lock(mutex);
    return reports.empty() && readsSinceTake > 0;
  }
};

class FakeHidDevice : public HidDevice {
 public:
  explicit FakeHidDevice(std::shared_ptr<FakeHidState> state) : state_(std::move(state)) {
    std::lock_guard<std::mutex> lock(state_->mutex);
    ++state_->openDevices;
  }
  ~FakeHidDevice() override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    --state_->openDevices;
  }

  int Read(uint8_t* buffer, std::size_t size, int timeoutMs) override {
    std::unique_lock<std::mutex> lock(state_->mutex);
    ++state_->readsSinceTake;
    state_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return state_->gone || !state_->reports.empty(); });
    if (state_->gone) return -1;
    if (state_->reports.empty()) return 0;
    const std::vector<uint8_t> report = std::move(state_->reports.front());
    state_->reports.pop_front();
    ++state_->taken;
    state_->readsSinceTake = 0;
    const std::size_t n = std::min(size, report.size());
    std::copy_n(report.begin(), n, buffer);
    return static_cast<int>(n);
  }

  int Write(const uint8_t* data, std::size_t size) override {
    std::vector<uint8_t> written(data, data + size);
    std::function<std::vector<uint8_t>(const std::vector<uint8_t>&)> answer;
    {
      std::lock_guard<std::mutex> lock(state_->mutex);
      state_->writes.push_back(written);
      answer = state_->answer;
    }
    if (answer) {
      std::vector<uint8_t> reply = answer(written);
      if (!reply.empty()) state_->Queue(std::move(reply));
    }
    return static_cast<int>(size);
  }

  std::vector<uint8_t> ReportDescriptor() override {
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->descriptor;
  }

 private:
  std::shared_ptr<FakeHidState> state_;
};

// The device list and the opening of devices; the test keeps the state.
class FakeHidBackend : public HidBackend {
 public:
  explicit FakeHidBackend(std::shared_ptr<FakeHidState> state) : state_(std::move(state)) {}

  std::vector<HidDeviceInfo> Enumerate() override { return devices; }
  std::unique_ptr<HidDevice> Open(const std::string& path) override {
    ++opens;
    if (failOpen) return nullptr;
    const bool present = std::any_of(devices.begin(), devices.end(),
                                     [&](const HidDeviceInfo& d) { return d.path == path; });
    return present ? std::make_unique<FakeHidDevice>(state_) : nullptr;
  }

  std::vector<HidDeviceInfo> devices;
  bool failOpen = false;
  int opens = 0;

 private:
  std::shared_ptr<FakeHidState> state_;
};

}  // namespace lumera::test
