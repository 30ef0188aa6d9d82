#pragma once

#include <string>

namespace lumera {

inline constexpr const char* kUsbLockName = "UWM-40318826";

// Keeps two copies of the tool from driving USB at once. The copy that has
// USB chosen holds an exclusive flock on a per-user file; the kernel drops it
// when the process ends, however it ends.
class UsbLock {
 public:
  // The lock file: UWM-40318826 in LUMERA_LOCK_DIR (the tests give every
  // process its own), else in XDG_RUNTIME_DIR, else a per-user name in /tmp.
  static std::string DefaultPath();

  explicit UsbLock(std::string path = DefaultPath()) : path_(std::move(path)) {}
  UsbLock(const UsbLock&) = delete;
  UsbLock& operator=(const UsbLock&) = delete;
  ~UsbLock() { Release(); }

  // True when this object holds the lock (it may have held it already);
  // false when another process holds it or the file cannot be opened.
  bool TryAcquire();
  void Release();
  bool Held() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace lumera
