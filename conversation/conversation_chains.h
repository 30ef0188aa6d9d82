#pragma once

#include <cstdint>

namespace lumera {

class TMainForm;

// The chains every part of the tool shares: the full read after a connect,
// the status re-read, the wall re-read, the window switch, the overlays-off
// exchange of a page show, patterns off on every window before a disconnect,
// the profile reload and the factory reset's end. Each registers its steps
// with the engine.
class ConversationChains {
 public:
  explicit ConversationChains(TMainForm& form);

 private:
  void RegisterFullRead();
  void RegisterStatusReread();
  void RegisterWallReread();
  void RegisterPageChains();
  void RegisterPatternsOff();
  void RegisterProfileReload();

  void Step990Identify();
  void Step1000SystemInfo();
  // Stores the InputInfo reply (and InputExtra when the box flags it).
  void StoreInputInfo();
  // Stores the sub-window blocks; the colours only where the box has them.
  void StoreSubWindows(bool colourAlways);
  void RequestWarpHalf(unsigned index);
  void RequestRawGrid(uint32_t window);
  void StoreRawGrid(unsigned window);
  // Clears the first 512 bytes of the transmit buffer and sends the request.
  void Next(uint32_t step, uint32_t frameCode);

  TMainForm& form_;
};

}  // namespace lumera
