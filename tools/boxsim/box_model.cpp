#include "tools/boxsim/box_model.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "conversation/model_family.h"
#include "link/frame_codes.h"
#include "tools/boxsim/reply_frame.h"

namespace lumera::boxsim {

namespace {

constexpr uint8_t kWarpMode3x3 = 2;
constexpr uint8_t kTiming1080p = 3;
constexpr uint8_t kTiming1200p = 17;
constexpr uint8_t kTiming2160p = 30;
constexpr uint32_t kInputExtraMarker = 0x12345678;

struct Signal {
  uint16_t width;
  uint16_t height;
  uint16_t hFreq;  // 0.1 kHz
  uint16_t vFreq;  // 0.1 Hz
  uint8_t colourFormat;
  uint8_t hdr;
  uint8_t bitDepthCode;
  uint8_t hdcp;
};
constexpr Signal kFullHd{1920, 1080, 675, 600, 0, 0, 1, 0};
constexpr Signal kUhdHdr{3840, 2160, 675, 300, 3, 1, 2, 1};

void PutSignal(SettingsImage& im, unsigned w, const Signal& s) {
  uint8_t* in = im.InputInfo.Entry(w);
  Set(in, InputField::SignalPresent, 1);
  Set(in, InputField::ColourFormat, s.colourFormat);
  Set(in, InputField::Hbr, 0);
  Set(in, InputField::Hdr, s.hdr);
  Set(in, InputField::Width, s.width);
  Set(in, InputField::Height, s.height);
  uint8_t* ex = im.InputExtra.Entry(w);
  Set(ex, InputExtraField::HFreq, s.hFreq);
  Set(ex, InputExtraField::VFreq, s.vFreq);
  Set(ex, InputExtraField::BitDepth, s.bitDepthCode);
  Set(ex, InputExtraField::Hdcp, s.hdcp);
  Set(ex, InputExtraField::Interlaced, 0);
  Set(ex, InputExtraField::DetailMarker, InputExtraField::kDetailValid);
}

void ClearSignal(SettingsImage& im, unsigned w) {
  std::memset(im.InputInfo.Entry(w), 0, im.InputInfo.kEntrySize);
  std::memset(im.InputExtra.Entry(w), 0, im.InputExtra.kEntrySize);
}

std::string DefaultVersionText(const BoxConfig& c) {
  const char* prefix = "GVP";
  if (c.k712) {
    prefix = "K712";
  } else if (FamilyOf(c.modelByte) == Family::U) {
    prefix = "UHD";
  } else if (FamilyOf(c.modelByte) == Family::M) {
    prefix = "MVP";
  }
  std::string text = prefix;
  if (text.size() < 4) text += ' ';
  return text + std::to_string(c.versionNumber);
}

}  // namespace

BoxModel::BoxModel(const BoxConfig& config) : config_(config) {
  ResetBox(true);

  std::string text =
      config_.versionText.empty() ? DefaultVersionText(config_) : config_.versionText;
  if (config_.lVariant) {
    if (text.size() < 4) text.resize(4, ' ');
    text[3] = 'L';
  }
  const std::size_t n = std::min<std::size_t>(text.size(), image_.VersionText.kSize - 1);
  std::memcpy(image_.VersionText.Data(), text.data(), n);

  uint8_t* net = image_.NetworkInfo.Data();
  WriteU32(net, 0);
  std::memcpy(net + 4, config_.ipAddress.data(), 4);
  static constexpr uint8_t kMask[4] = {255, 255, 255, 0};
  std::memcpy(net + 8, kMask, 4);
  std::memcpy(net + 12, config_.ipAddress.data(), 3);
  net[15] = 1;

  const uint8_t windows = WindowCount();
  PutSignal(image_, 0, kFullHd);
  if (windows > 1) PutSignal(image_, 1, kUhdHdr);
  if (config_.signalAfterSec >= 0) {
    const int w = config_.signalWindow >= 0 ? config_.signalWindow : windows - 1;
    ClearSignal(image_, static_cast<unsigned>(std::clamp(w, 0, 3)));
  }
}

uint8_t BoxModel::WindowCount() const {
  const uint8_t n = WindowCountOf(config_.modelByte);
  return std::clamp<uint8_t>(n, 1, kWindows);
}

void BoxModel::ResetBox(bool factory) {
  for (unsigned w = 0; w < kWindows; ++w) ResetWindowDefaults(image_, tools_, w);
  if (FamilyOf(config_.modelByte) == Family::M) {
    for (unsigned w = 0; w < kWindows; ++w)
      Set(image_.WindowSetup.Entry(w), WindowSetupField::TimingCode, kTiming1080p);
  }
  if (factory) {
    for (unsigned w = 0; w < kWindows; ++w) {
      image_.WarpMode.bytes[w] = kWarpMode3x3;
      image_.RawGridInfo.bytes[w] = 0;
      std::memset(image_.RawGrid.Entry(w), 0, image_.RawGrid.kEntrySize);
    }
    for (SettingsImage& p : profiles_) {
      for (BlockId id : kSettingFileOrder) {
        const BlockBytes from = BlockOf(image_, id);
        const BlockBytes to = BlockOf(p, id);
        std::memcpy(to.data, from.data, from.size);
      }
    }
    k712_ = K712State{};
  }
  RefreshBoxOwnedBytes();
}

// Bytes of WindowSetup that report the output rather than configure it: the
// box fills them from its own state whatever was written there.
void BoxModel::RefreshBoxOwnedBytes() {
  namespace F = WindowSetupField;
  const uint8_t windows = WindowCount();
  for (unsigned w = 0; w < kWindows; ++w) {
    uint8_t* e = image_.WindowSetup.Entry(w);
    Set(e, F::OutputActive, w < windows ? 1 : 0);
    Set(e, F::OutHdcp, Get(e, F::HdcpOutput) == 1 ? 1 : 0);
    Set(e, F::Out3D, Get(e, F::Output3D) != 0 ? 1 : 0);
    Set(e, F::OutBitDepth, Get(e, F::DeepColour) ? 10 : 8);
    Set(e, F::OutSync, 0);
  }
}

void BoxModel::Connected() {
  boardQueries_ = 0;
}

void BoxModel::SetElapsed(std::chrono::milliseconds sinceFirstConnect) {
  elapsed_ = sinceFirstConnect;
}

void BoxModel::ApplyDueEvents() {
  using std::chrono::seconds;
  if (!signalApplied_ && config_.signalAfterSec >= 0 &&
      elapsed_ >= seconds(config_.signalAfterSec)) {
    signalApplied_ = true;
    const int w = config_.signalWindow >= 0 ? config_.signalWindow : WindowCount() - 1;
    PutSignal(image_, static_cast<unsigned>(std::clamp(w, 0, 3)), kFullHd);
  }
  if (!timingApplied_ && config_.timingChangeAfterSec >= 0 &&
      elapsed_ >= seconds(config_.timingChangeAfterSec)) {
    timingApplied_ = true;
    uint8_t* e =
        image_.WindowSetup.Entry(static_cast<unsigned>(std::clamp(config_.timingWindow, 0, 3)));
    const uint8_t now = Get(e, WindowSetupField::TimingCode);
    uint8_t next = now == kTiming1080p ? kTiming1200p : kTiming1080p;
    if (config_.newTimingCode >= 0) next = static_cast<uint8_t>(config_.newTimingCode);
    Set(e, WindowSetupField::TimingCode, next);
  }
}

void BoxModel::Answer(const uint8_t* rq, BoxResponse& response) {
  ApplyDueEvents();
  response.count = 1;
  response.closeConnection = false;
  const uint32_t code = ReadU32(rq + 4);
  WireFrame& f = response.frames[0];
  BeginReply(f, code);

  namespace C = FrameCode;
  switch (code) {
    case C::Identify:
      AnswerIdentify(f);
      break;
    case C::ReadSystemInfo:
      AnswerSystemInfo(f);
      break;
    case C::ReadInputInfo:
      AnswerInputInfo(f);
      break;
    case C::ReadPicture:
      PutBlock(f, 8, image_.PictureSettings);
      break;
    case C::ReadWall:
      PutBlock(f, 8, image_.WallSettings);
      break;
    case C::ReadSubWindows:
      PutBlock(f, 8, image_.SubWindowLayout);
      PutBlock(f, 224, image_.SubWindowColour);
      break;
    case C::ReadEdid:
      PutBlock(f, 8, image_.EdidSettings);
      break;
    case C::ReadBlendEdges:
      PutBlock(f, 8, image_.BlendEdges);
      break;
    case C::ReadBlendGamma:
      PutBlock(f, 8, image_.BlendGamma);
      break;
    case C::ReadBlackLevel:
      PutBlock(f, 8, image_.BlackLevel);
      break;
    case C::ReadCornerPoints:
      PutBlock(f, 8, image_.CornerPoints);
      break;
    case C::ReadMaskPoints:
      PutBlock(f, 8, image_.MaskPoints);
      break;
    case C::ReadWarpGrid:
      AnswerWarpGrid(rq, f);
      break;
    case C::ReadWarpExtras:
      AnswerWarpExtras(f);
      break;
    case C::ReadRawGrid:
      AnswerRawGrid(rq, f);
      break;
    case C::ReadStatus:
      AnswerStatus(f);
      break;
    case C::ReadK712State:
      AnswerK712State(f);
      break;
    case C::SetNetwork:
      ApplyNetwork(rq);
      break;
    case C::SelectWindow:
      ApplySelectWindow(rq);
      break;
    case C::SendCommand:
    case C::LoadProfile:
    case C::ProfileCommand:
    case C::FactoryReset:
      ApplyCommand(rq + 8);
      break;
    case C::RegisterWrite:
      ApplyRegisterWrite(rq);
      break;
    case C::WarpSelect:
      ApplyWarpSelect(rq);
      break;
    case C::PatternSelect:
      if (rq[8] == SubCode::Pattern) pattern_[selectedWindow_] = rq[9];
      break;
    case C::RawGridAdjust:
      ApplyRawGridAdjust(rq);
      break;
    case C::BlackLevelWrite:
    case C::CornerPointWrite:
    case C::MaskPointWrite:
      ApplyBlendPoint(rq);
      break;
    case C::WarpPointX:
    case C::WarpPointY:
      ApplyWarpPoint(rq, code == C::WarpPointY, f);
      break;
    case C::WarpCornerX:
    case C::WarpCornerY:
      ApplyWarpCorner(rq, code == C::WarpCornerY, f);
      break;
    case C::WarpCurveX:
    case C::WarpCurveY:
      ApplyWarpCurve(rq, code == C::WarpCurveY, f);
      break;
    case C::WriteBlock:
      ApplyWriteBlock(rq);
      break;
    case C::WriteBlocksDone:
      // After the last window's done frame the box reports, unasked, that
      // the uploaded settings are in force; the tool's upload chain waits
      // for exactly that frame.
      if (ApplyBlocksDone(rq)) {
        BeginReply(response.frames[1], C::WriteBlocksDone);
        response.frames[1][8] = 1;
        response.count = 2;
      }
      break;
    case C::Reboot:
      response.count = 0;
      response.closeConnection = true;
      pattern_.fill(0);
      marker_.fill(0);
      warpPoint_.fill(-1);
      blendControl_ = 0;
      selectedWindow_ = 0;
      break;
    case C::WarpGridRefresh:
    case C::PostLoadRequest:
      break;
    default:
      AnswerFirmware(code, rq, f);
      break;
  }
}

void BoxModel::AnswerIdentify(WireFrame& f) const {
  f[8] = 1;
  if (config_.k712) {
    f[20] = 0x77;
    f[21] = 0x88;
  }
}

void BoxModel::AnswerSystemInfo(WireFrame& f) const {
  f[8] = 1;
  f[10] = selectedWindow_;
  f[11] = config_.modelByte;
  f[12] = static_cast<uint8_t>(config_.versionNumber >> 16);
  f[13] = static_cast<uint8_t>(config_.versionNumber >> 8);
  f[14] = static_cast<uint8_t>(config_.versionNumber);
  PutBlock(f, 16, image_.VersionText);
  PutBlock(f, 48, image_.WindowSetup);
  PutBlock(f, 176, image_.KeptBytes);
  PutBlock(f, 184, image_.NetworkInfo);
}

void BoxModel::AnswerInputInfo(WireFrame& f) const {
  PutBlock(f, 8, image_.InputInfo);
  if (config_.inputExtra) {
    WriteU32(f.data() + 136, kInputExtraMarker);
    PutBlock(f, 140, image_.InputExtra);
  }
}

void BoxModel::AnswerStatus(WireFrame& f) const {
  if (config_.k712) {
    AnswerK712State(f);
    return;
  }
  PutBlock(f, 8, image_.InputInfo);
  PutBlock(f, 136, image_.WindowSetup);
  PutBlock(f, 264, image_.InputExtra);
}

void BoxModel::AnswerK712State(WireFrame& f) const {
  if (!config_.k712) return;
  uint8_t* p = f.data();
  for (unsigned n = 0; n < 4; ++n)
    WriteU16(p + 8 + 2 * n, k712_.outputEnable[n] && !k712_.powerOff ? 1 : 0);
  WriteU16(p + 16, k712_.edidPreset);
  WriteU16(p + 18, k712_.edidWidth);
  WriteU16(p + 20, k712_.edidHeight);
  for (unsigned n = 0; n < 4; ++n) WriteU16(p + 22 + 2 * n, k712_.outputEnable[n]);
  WriteU16(p + 38, k712_.powerOff);

  const uint8_t* in = image_.InputInfo.Entry(0);
  const bool signal = Get(in, InputField::SignalPresent) != 0;
  WriteU16(p + 40, k712_.edidPreset == 16 ? 0x77 : 0x80);
  WriteU16(p + 42, signal ? 1 : 0);
  if (signal) {
    WriteU16(p + 44, Get(in, InputField::Width));
    WriteU16(p + 46, Get(in, InputField::Height));
    // The panel numbers colour spaces RGB, 4:2:2, 4:4:4, 4:2:0 and depths
    // from 8 bits; the input records count 4:2:0 as 3 and depths from 6.
    const uint8_t format = Get(in, InputField::ColourFormat);
    WriteU16(p + 50, format == 0 ? 0 : format == 1 ? 1 : format == 3 ? 3 : 2);
    const uint8_t* ex = image_.InputExtra.Entry(0);
    const uint8_t depth = Get(ex, InputExtraField::BitDepth);
    WriteU16(p + 52, depth <= 1 ? 0 : depth - 1);
    WriteU16(p + 54, Get(ex, InputExtraField::Hdcp));
  }
}

void BoxModel::AnswerWarpGrid(const uint8_t* rq, WireFrame& f) const {
  const unsigned window = ReadU16(rq + 8);
  const unsigned first = ReadU16(rq + 10);
  if (window >= kWindows) return;
  const uint8_t* grid = image_.WarpGrid.Entry(window);
  for (unsigned i = 0; i < WarpField::kHalf && first + i < WarpField::kSlots; ++i)
    std::memcpy(f.data() + 12 + 4 * i, grid + 4 * (first + i), 4);
}

void BoxModel::AnswerWarpExtras(WireFrame& f) const {
  PutBlock(f, 8, image_.WarpMode);
  PutBlock(f, 12, image_.WarpCorners);
  PutBlock(f, 76, image_.WarpCurve);
}

void BoxModel::AnswerRawGrid(const uint8_t* rq, WireFrame& f) const {
  const uint32_t window = ReadU32(rq + 8);
  if (window >= kWindows) return;
  f[8] = image_.RawGridInfo.bytes[window];
  std::memcpy(f.data() + 12, image_.RawGrid.Entry(window), RawGridField::kUsedBytes);
}

}  // namespace lumera::boxsim
