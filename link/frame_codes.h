#pragma once

#include <cstdint>

namespace lumera {

// The 32-bit code at frame byte 4 that says what a request asks for. Replies
// carry the code of the request they answer.
namespace FrameCode {
inline constexpr uint32_t Identify = 0x0001;
inline constexpr uint32_t FwMainBegin = 0x0011;
inline constexpr uint32_t FwMainBlock = 0x0012;
inline constexpr uint32_t FwMainEnd = 0x0013;
inline constexpr uint32_t FwMainCommit = 0x0014;
inline constexpr uint32_t FwBootBegin = 0x0015;
inline constexpr uint32_t FwBootBlock = 0x0016;
inline constexpr uint32_t FwBootEnd = 0x0017;
inline constexpr uint32_t FwBoardQuery = 0x0090;
inline constexpr uint32_t FwBoardBegin = 0x0091;
inline constexpr uint32_t FwBoardBlock = 0x0092;
inline constexpr uint32_t FwBoardEnd = 0x0093;
inline constexpr uint32_t ReadSystemInfo = 0x6001;
inline constexpr uint32_t ReadInputInfo = 0x6002;
inline constexpr uint32_t ReadPicture = 0x6003;
inline constexpr uint32_t ReadWall = 0x6004;
inline constexpr uint32_t ReadSubWindows = 0x6005;
inline constexpr uint32_t ReadEdid = 0x6006;
inline constexpr uint32_t ReadBlendEdges = 0x6007;
inline constexpr uint32_t ReadBlendGamma = 0x6008;
inline constexpr uint32_t ReadBlackLevel = 0x6009;
inline constexpr uint32_t ReadCornerPoints = 0x600A;
inline constexpr uint32_t ReadMaskPoints = 0x600B;
inline constexpr uint32_t ReadWarpGrid = 0x600C;
inline constexpr uint32_t ReadWarpExtras = 0x600D;
inline constexpr uint32_t WarpGridRefresh = 0x600E;
inline constexpr uint32_t ReadRawGrid = 0x600F;
inline constexpr uint32_t PostLoadRequest = 0x6010;
inline constexpr uint32_t ReadStatus = 0x601F;
inline constexpr uint32_t SetNetwork = 0x6020;
inline constexpr uint32_t SelectWindow = 0x6050;
inline constexpr uint32_t SendCommand = 0x6100;
inline constexpr uint32_t LoadProfile = 0x6101;
inline constexpr uint32_t ProfileCommand = 0x6102;
inline constexpr uint32_t FactoryReset = 0x6103;
inline constexpr uint32_t RegisterWrite = 0x6120;
inline constexpr uint32_t WarpSelect = 0x6200;
inline constexpr uint32_t PatternSelect = 0x6201;
inline constexpr uint32_t RawGridAdjust = 0x6202;
inline constexpr uint32_t BlackLevelWrite = 0x6210;
inline constexpr uint32_t CornerPointWrite = 0x6211;
inline constexpr uint32_t MaskPointWrite = 0x6212;
inline constexpr uint32_t WarpPointX = 0x62A3;
inline constexpr uint32_t WarpPointY = 0x62A4;
inline constexpr uint32_t WarpCornerX = 0x62A8;
inline constexpr uint32_t WarpCornerY = 0x62A9;
inline constexpr uint32_t WarpCurveX = 0x62AC;
inline constexpr uint32_t WarpCurveY = 0x62AD;
inline constexpr uint32_t WriteBlock = 0x7010;
inline constexpr uint32_t WriteBlocksDone = 0x7011;
inline constexpr uint32_t ReadK712State = 0x8000;
inline constexpr uint32_t Reboot = 0x12345678;
}  // namespace FrameCode

// First word of every reply from a normal box and from the second family.
inline constexpr uint32_t ReplyMagic = 0x00000D66;

// Sub-codes at byte 8 of the binary warp, pattern and blend requests.
namespace SubCode {
inline constexpr uint8_t WarpCursor = 0xA0;
inline constexpr uint8_t WarpPointX = 0xA1;
inline constexpr uint8_t WarpPointY = 0xA2;
inline constexpr uint8_t Pattern = 0xA5;
inline constexpr uint8_t WarpCornerX = 0xA6;
inline constexpr uint8_t WarpCornerY = 0xA7;
inline constexpr uint8_t WarpCurveX = 0xAA;
inline constexpr uint8_t WarpCurveY = 0xAB;
inline constexpr uint8_t BlackLevel = 0xAF;
inline constexpr uint8_t CornerPoint = 0xB0;
inline constexpr uint8_t MaskPoint = 0xB1;
inline constexpr uint8_t RawGridCell = 0xB4;
inline constexpr uint8_t RawGridAdjust = 0xB5;
inline constexpr uint8_t BlocksDone = 0xCF;
}  // namespace SubCode

// Byte 9 of many binary requests says which transport carried them.
namespace LinkType {
inline constexpr uint8_t Usb = 1;
inline constexpr uint8_t Tcp = 2;
}  // namespace LinkType

}  // namespace lumera
