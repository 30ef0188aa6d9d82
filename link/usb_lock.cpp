#include "link/usb_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace lumera {

std::string UsbLock::DefaultPath() {
  for (const char* variable : {"LUMERA_LOCK_DIR", "XDG_RUNTIME_DIR"}) {
    const char* dir = std::getenv(variable);
    if (dir && *dir) return std::string(dir) + "/" + kUsbLockName;
  }
  return std::string("/tmp/") + kUsbLockName + "-" + std::to_string(getuid());
}

bool UsbLock::TryAcquire() {
  if (fd_ >= 0) return true;
  const int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void UsbLock::Release() {
  if (fd_ < 0) return;
  // Closing the only descriptor drops the lock; the file stays, as removing
  // it could let a third copy lock a new file while a second holds the old.
  close(fd_);
  fd_ = -1;
}

}  // namespace lumera
