#include "link/reply_assembler.h"

#include <algorithm>
#include <cstring>

#include "link/frame_codes.h"

namespace lumera {

namespace {

constexpr std::size_t kHead = 8;

// The input-info reply carries the input extension only when this marker
// follows the input block.
constexpr std::size_t kInputExtraMarkerAt = 136;
constexpr uint8_t kInputExtraMarker[4] = {0x78, 0x56, 0x34, 0x12};

std::size_t InputInfoLength(const uint8_t* frame, std::size_t received) {
  if (received <= kInputExtraMarkerAt) return kInputExtraMarkerAt;
  const std::size_t present = std::min<std::size_t>(received - kInputExtraMarkerAt, 4);
  // A marker that is still arriving may yet turn out to be one.
  if (std::memcmp(frame + kInputExtraMarkerAt, kInputExtraMarker, present) != 0)
    return kInputExtraMarkerAt;
  return 268;
}

}  // namespace

std::size_t ReplyLength(uint32_t frameCode, const uint8_t* frame, std::size_t received,
                        bool secondFamily) {
  namespace C = FrameCode;
  switch (frameCode) {
    case C::Identify:
      return 22;
    case C::FwMainBegin:
    case C::FwMainBlock:
    case C::FwMainCommit:
    case C::FwBootBegin:
    case C::FwBootBlock:
    case C::FwBoardBegin:
    case C::FwBoardBlock:
    case C::WarpGridRefresh:
    case C::PostLoadRequest:
    case C::SetNetwork:
    case C::SelectWindow:
    case C::SendCommand:
    case C::LoadProfile:
    case C::ProfileCommand:
    case C::FactoryReset:
    case C::RegisterWrite:
    case C::WarpSelect:
    case C::PatternSelect:
    case C::RawGridAdjust:
    case C::BlackLevelWrite:
    case C::CornerPointWrite:
    case C::MaskPointWrite:
    case C::WriteBlock:
    case C::WriteBlocksDone:
    case C::Reboot:
      return kHead;
    case C::FwMainEnd:
    case C::FwBootEnd:
    case C::WarpPointX:
    case C::WarpPointY:
    case C::WarpCornerX:
    case C::WarpCornerY:
      return 10;
    case C::FwBoardQuery:
      return 27;
    case C::FwBoardEnd:
      return 24;
    case C::ReadSystemInfo:
      return 200;
    case C::ReadInputInfo:
      return InputInfoLength(frame, received);
    case C::ReadPicture:
      return 56;
    case C::ReadWall:
    case C::ReadBlendEdges:
    case C::ReadBlendGamma:
      return 72;
    case C::ReadSubWindows:
      return 320;
    case C::ReadEdid:
      return 168;
    case C::ReadBlackLevel:
      return 128;
    case C::ReadCornerPoints:
    case C::ReadMaskPoints:
      return 136;
    case C::ReadWarpGrid:
      return 352;
    case C::ReadWarpExtras:
      return 268;
    case C::ReadRawGrid:
      return 412;
    case C::ReadStatus:
      return secondFamily ? 56 : 392;
    case C::WarpCurveX:
    case C::WarpCurveY:
    case C::ReadK712State:
      return 56;
    default:
      return kTcpFrameSize;
  }
}

std::size_t ReplyAssembler::Append(const uint8_t* data, std::size_t n) {
  const std::size_t kept = std::min(n, frame_.size() - size_);
  std::memcpy(frame_.data() + size_, data, kept);
  size_ += kept;
  return kept;
}

bool ReplyAssembler::Complete() const {
  if (size_ == frame_.size()) return true;
  if (size_ < kHead) return false;
  return size_ >= ReplyLength(ReadU32(frame_.data() + 4), frame_.data(), size_, secondFamily_);
}

}  // namespace lumera
