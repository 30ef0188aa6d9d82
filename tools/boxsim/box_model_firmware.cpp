// Firmware downloads: the main image, the boot loader and the multi-channel
// board, each with the checksum of what actually arrived.

#include "link/frame_codes.h"
#include "tools/boxsim/box_model.h"

namespace lumera::boxsim {

namespace {

// Three bytes that identify the board of a present channel; an absent channel
// answers FF-FF-FF.
constexpr uint8_t kChannelCode[4][3] = {
    {0x4B, 0x31, 0x01}, {0x4B, 0x32, 0x01}, {0x4B, 0x33, 0x01}, {0x4B, 0x34, 0x01}};

}  // namespace

bool BoxModel::AnswerFirmware(uint32_t code, const uint8_t* rq, WireFrame& f) {
  namespace C = FrameCode;
  const uint32_t arg = ReadU32(rq + 8);
  const uint32_t skew = config_.wrongFirmwareChecksum ? 1 : 0;
  switch (code) {
    case C::FwMainBegin:
      committed_ = false;
      mainFw_.Begin(arg);
      return true;
    case C::FwBootBegin:
      bootFw_.Begin(arg);
      return true;
    case C::FwBoardBegin:
      boardFw_.Begin(arg);
      return true;
    case C::FwMainBlock:
      mainFw_.Block(arg, rq + 12, FirmwareReceiver::kBlockSize);
      return true;
    case C::FwBootBlock:
      bootFw_.Block(arg, rq + 12, FirmwareReceiver::kBlockSize);
      return true;
    case C::FwBoardBlock:
      boardFw_.Block(arg, rq + 12, FirmwareReceiver::kBlockSize);
      return true;
    case C::FwMainEnd:
      WriteU16(f.data() + 8, static_cast<uint16_t>(mainFw_.ByteSum(arg) + skew));
      return true;
    case C::FwBootEnd:
      WriteU16(f.data() + 8, static_cast<uint16_t>(bootFw_.ByteSum(arg) + skew));
      return true;
    case C::FwMainCommit:
      committed_ = mainFw_.Started() && arg == mainFw_.AnnouncedSize() &&
                   ReadU32(rq + 12) == mainFw_.ByteSum(arg);
      f[8] = committed_ ? 1 : 0;
      return true;
    case C::FwBoardQuery: {
      const bool empty = boardQueries_++ < config_.emptyBoardAnswers;
      const uint8_t bits = empty ? 0 : config_.boardChannels;
      f[8] = bits;
      for (unsigned n = 0; n < 4; ++n) {
        uint8_t* record = f.data() + 12 + 4 * n;
        for (unsigned i = 0; i < 3; ++i) record[i] = (bits >> n) & 1 ? kChannelCode[n][i] : 0xFF;
      }
      return true;
    }
    case C::FwBoardEnd: {
      const uint32_t sum = boardFw_.ByteSum(arg) + skew;
      for (unsigned n = 0; n < 4; ++n)
        WriteU32(f.data() + 8 + 4 * n, (config_.boardChannels >> n) & 1 ? sum : 0);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace lumera::boxsim
