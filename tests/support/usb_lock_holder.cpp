// A second copy of the tool as far as the USB lock goes, for the tests that
// need two processes. Takes the lock file's path as its argument and answers
// one line per command read from stdin: "take" -> "taken" or "busy",
// "release" -> "released". It ends at the end of its input.
#include <iostream>
#include <string>

#include "link/usb_lock.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  lumera::UsbLock lock(argv[1]);
  std::string command;
  while (std::getline(std::cin, command)) {
    if (command == "take") {
      std::cout << (lock.TryAcquire() ? "taken" : "busy") << std::endl;
    } else if (command == "release") {
      lock.Release();
      std::cout << "released" << std::endl;
    }
  }
  return 0;
}
