#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

#include "conversation/settings_image.h"
#include "link/frame.h"
#include "tools/boxsim/box_config.h"
#include "tools/boxsim/firmware_receiver.h"

namespace lumera::boxsim {

using WireFrame = std::array<uint8_t, kTcpFrameSize>;

// What the box sends back for one request: normally one frame; two when it
// follows its answer with a frame of its own; none when it goes away.
struct BoxResponse {
  static constexpr std::size_t kMaxFrames = 2;
  std::array<WireFrame, kMaxFrames> frames{};
  std::size_t count = 0;
  bool closeConnection = false;  // the box restarts and drops the link
};

// The second family's panel state, in the order of its reply block.
struct K712State {
  uint16_t edidPreset = 0;
  uint16_t edidWidth = 1920;
  uint16_t edidHeight = 1080;
  std::array<uint16_t, 4> outputEnable{1, 1, 1, 1};
  uint16_t powerOff = 0;
};

// The box's side of the protocol: its state and one reply per request. No
// I/O and no clock of its own; the server feeds it requests and the time
// since the first client connected.
class BoxModel {
 public:
  static constexpr unsigned kProfiles = 10;

  explicit BoxModel(const BoxConfig& config);

  // A new client: per-connection counters start over.
  void Connected();
  // Scenario events due by this time take effect before the next answer.
  void SetElapsed(std::chrono::milliseconds sinceFirstConnect);
  // request points to one 512-byte request frame.
  void Answer(const uint8_t* request, BoxResponse& response);

  const BoxConfig& Config() const { return config_; }
  const SettingsImage& Image() const { return image_; }
  SettingsImage& MutableImage() { return image_; }
  uint8_t SelectedWindow() const { return selectedWindow_; }
  uint8_t WindowCount() const;
  int16_t WarpPoint(unsigned window) const { return warpPoint_[window % kWindows]; }
  uint8_t PatternCode(unsigned window) const { return pattern_[window % kWindows]; }
  uint8_t BlendMarker(unsigned window) const { return marker_[window % kWindows]; }
  int BlendControlState() const { return blendControl_; }
  const K712State& K712() const { return k712_; }
  const FirmwareReceiver& MainFirmware() const { return mainFw_; }
  const FirmwareReceiver& BootFirmware() const { return bootFw_; }
  const FirmwareReceiver& BoardFirmware() const { return boardFw_; }
  bool FirmwareCommitted() const { return committed_; }

 private:
  void ApplyDueEvents();
  void ResetBox(bool factory);
  void RefreshBoxOwnedBytes();

  // Reads (box_model.cpp).
  void AnswerIdentify(WireFrame& f) const;
  void AnswerSystemInfo(WireFrame& f) const;
  void AnswerInputInfo(WireFrame& f) const;
  void AnswerStatus(WireFrame& f) const;
  void AnswerK712State(WireFrame& f) const;
  void AnswerWarpGrid(const uint8_t* rq, WireFrame& f) const;
  void AnswerWarpExtras(WireFrame& f) const;
  void AnswerRawGrid(const uint8_t* rq, WireFrame& f) const;

  // Writes and commands (box_model_writes.cpp, box_model_commands.cpp).
  void ApplyCommand(const uint8_t* command);
  void ApplyK712Command(const char* mnemonic, int32_t value);
  void ApplyEdidCommand(const char* mnemonic, int32_t value);
  void SaveProfile(int32_t index);
  void LoadProfile(int32_t index);
  void ApplySelectWindow(const uint8_t* rq);
  void ApplyWarpSelect(const uint8_t* rq);
  void ApplyWarpPoint(const uint8_t* rq, bool y, WireFrame& f);
  void ApplyWarpCorner(const uint8_t* rq, bool y, WireFrame& f);
  void ApplyWarpCurve(const uint8_t* rq, bool y, WireFrame& f);
  void ApplyRawGridAdjust(const uint8_t* rq);
  void ApplyBlendPoint(const uint8_t* rq);
  void ApplyRegisterWrite(const uint8_t* rq);
  void ApplyWriteBlock(const uint8_t* rq);
  bool ApplyBlocksDone(const uint8_t* rq);
  void ApplyNetwork(const uint8_t* rq);

  // Firmware (box_model_firmware.cpp).
  bool AnswerFirmware(uint32_t code, const uint8_t* rq, WireFrame& f);

  BoxConfig config_;
  SettingsImage image_;
  std::array<WindowToolState, kWindows> tools_{};
  std::array<SettingsImage, kProfiles> profiles_{};
  uint8_t selectedWindow_ = 0;

  std::array<int16_t, kWindows> warpPoint_{-1, -1, -1, -1};
  std::array<RawGridCell, kWindows> rawCell_{};
  std::array<uint8_t, kWindows> pattern_{};
  std::array<uint8_t, kWindows> marker_{};
  int blendControl_ = 0;
  K712State k712_;

  FirmwareReceiver mainFw_;
  FirmwareReceiver bootFw_;
  FirmwareReceiver boardFw_;
  bool committed_ = false;
  unsigned boardQueries_ = 0;

  std::chrono::milliseconds elapsed_{0};
  bool signalApplied_ = false;
  bool timingApplied_ = false;
};

}  // namespace lumera::boxsim
