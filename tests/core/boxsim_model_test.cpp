#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "conversation/model_family.h"
#include "conversation/settings_image.h"
#include "link/frame_codes.h"
#include "support/request_frame.h"
#include "tools/boxsim/box_model.h"

namespace lumera::boxsim {
namespace {

using test::Request;

Request Command(const char* text) {
  return Request(FrameCode::SendCommand).Command(text);
}

class Box {
 public:
  explicit Box(BoxConfig config = {}) : model(config) {}
  const WireFrame& Ask(const Request& rq) {
    model.Answer(rq.bytes.data(), response);
    EXPECT_GE(response.count, 1u) << std::hex << ReadU32(rq.bytes.data() + 4);
    return response.frames[0];
  }
  const WireFrame& Select(uint8_t window) {
    return Ask(Request(FrameCode::SelectWindow).U8(8, window));
  }
  const SettingsImage& Image() const { return model.Image(); }

  BoxModel model;
  BoxResponse response;
};

BoxConfig Model(uint8_t modelByte) {
  BoxConfig c;
  c.modelByte = modelByte;
  return c;
}

TEST(BoxModel, EveryRequestGetsOneFrameWithMagicAndItsCode) {
  Box box;
  const uint32_t codes[] = {
      FrameCode::Identify,         FrameCode::FwMainBegin,      FrameCode::FwMainBlock,
      FrameCode::FwMainEnd,        FrameCode::FwMainCommit,     FrameCode::FwBootBegin,
      FrameCode::FwBootBlock,      FrameCode::FwBootEnd,        FrameCode::FwBoardQuery,
      FrameCode::FwBoardBegin,     FrameCode::FwBoardBlock,     FrameCode::FwBoardEnd,
      FrameCode::ReadSystemInfo,   FrameCode::ReadInputInfo,    FrameCode::ReadPicture,
      FrameCode::ReadWall,         FrameCode::ReadSubWindows,   FrameCode::ReadEdid,
      FrameCode::ReadBlendEdges,   FrameCode::ReadBlendGamma,   FrameCode::ReadBlackLevel,
      FrameCode::ReadCornerPoints, FrameCode::ReadMaskPoints,   FrameCode::ReadWarpGrid,
      FrameCode::ReadWarpExtras,   FrameCode::WarpGridRefresh,  FrameCode::ReadRawGrid,
      FrameCode::PostLoadRequest,  FrameCode::ReadStatus,       FrameCode::SetNetwork,
      FrameCode::SelectWindow,     FrameCode::SendCommand,      FrameCode::LoadProfile,
      FrameCode::ProfileCommand,   FrameCode::FactoryReset,     FrameCode::RegisterWrite,
      FrameCode::WarpSelect,       FrameCode::PatternSelect,    FrameCode::RawGridAdjust,
      FrameCode::BlackLevelWrite,  FrameCode::CornerPointWrite, FrameCode::MaskPointWrite,
      FrameCode::WarpPointX,       FrameCode::WarpPointY,       FrameCode::WarpCornerX,
      FrameCode::WarpCornerY,      FrameCode::WarpCurveX,       FrameCode::WarpCurveY,
      FrameCode::WriteBlock,       FrameCode::ReadK712State,    0x4242,
  };
  for (uint32_t code : codes) {
    const WireFrame& f = box.Ask(Request(code));
    EXPECT_EQ(box.response.count, 1u) << std::hex << code;
    EXPECT_EQ(ReadU32(f.data()), ReplyMagic) << std::hex << code;
    EXPECT_EQ(ReadU32(f.data() + 4), code);
    EXPECT_FALSE(box.response.closeConnection);
  }
}

TEST(BoxModel, RebootAnswersNothingAndDropsTheLink) {
  Box box;
  box.Select(2);
  box.model.Answer(Request(FrameCode::Reboot).bytes.data(), box.response);
  EXPECT_EQ(box.response.count, 0u);
  EXPECT_TRUE(box.response.closeConnection);
  EXPECT_EQ(box.model.SelectedWindow(), 0);
}

TEST(BoxModel, SystemInfoCarriesIdentityBlocksAndAddress) {
  BoxConfig c = Model(0x22);
  c.versionNumber = 230131;
  c.lVariant = true;
  c.ipAddress = {127, 0, 0, 9};
  Box box(c);
  box.Select(1);
  const WireFrame& f = box.Ask(Request(FrameCode::ReadSystemInfo));
  EXPECT_EQ(f[8], 1);
  EXPECT_EQ(f[10], 1);
  EXPECT_EQ(f[11], 0x22);
  EXPECT_EQ((f[12] << 16) | (f[13] << 8) | f[14], 230131);
  EXPECT_EQ(f[16 + 3], 'L');
  EXPECT_EQ(f[47], 0) << "the text is zero-terminated";
  // WindowSetup of window 1: active output, FamilyM's default 1920x1080.
  EXPECT_EQ(f[48 + 32 + 4], 1);
  EXPECT_EQ(f[48 + 32 + 5], 3);
  EXPECT_EQ(f[48 + 2 * 32 + 4], 0) << "window 3 of a two-window box";
  const uint8_t network[16] = {0, 0, 0, 0, 127, 0, 0, 9, 255, 255, 255, 0, 127, 0, 0, 1};
  EXPECT_EQ(std::memcmp(f.data() + 184, network, 16), 0);
}

TEST(BoxModel, InputInfoAndStatusShowTheSameSignal) {
  Box box;
  const WireFrame info = box.Ask(Request(FrameCode::ReadInputInfo));
  EXPECT_EQ(info[8], 1) << "window 0 has a signal";
  EXPECT_EQ(ReadU16(info.data() + 12), 1920);
  EXPECT_EQ(ReadU16(info.data() + 14), 1080);
  EXPECT_EQ(ReadU32(info.data() + 136), 0x12345678u);
  EXPECT_EQ(info[140 + 7], InputExtraField::kDetailValid);
  EXPECT_EQ(ReadU16(info.data() + 140), 675);

  const WireFrame status = box.Ask(Request(FrameCode::ReadStatus));
  EXPECT_EQ(std::memcmp(status.data() + 8, info.data() + 8, 128), 0);
  EXPECT_EQ(std::memcmp(status.data() + 264, info.data() + 140, 128), 0);
  const WireFrame system = box.Ask(Request(FrameCode::ReadSystemInfo));
  EXPECT_EQ(std::memcmp(status.data() + 136, system.data() + 48, 128), 0);
  for (int w = 0; w < 4; ++w) EXPECT_EQ(status[136 + 32 * w + 4], 1) << w;

  BoxConfig c;
  c.inputExtra = false;
  Box plain(c);
  EXPECT_EQ(ReadU32(plain.Ask(Request(FrameCode::ReadInputInfo)).data() + 136), 0u);
}

// Commands land in the selected window's entry where their control keeps it.
TEST(BoxModel, CommandsUpdateTheImage) {
  Box u(Model(0x14));
  u.Select(1);
  const auto picture = [&](std::size_t o) { return u.Image().PictureSettings.Entry(1)[o]; };
  const auto setup = [&](std::size_t o) { return u.Image().WindowSetup.Entry(1)[o]; };

  u.Ask(Command("s00BRI+060\r\n"));
  u.Ask(Command("s00XHA+070\r\n"));
  u.Ask(Command("s00XCL+002\r\n"));
  u.Ask(Command("s00ORI+003\r\n"));
  u.Ask(Command("s00OPM+005\r\n"));
  u.Ask(Command("s003DI+001\r\n"));
  u.Ask(Command("s00MUT+002\r\n"));
  u.Ask(Command("s00GRD+040\r\n"));
  EXPECT_EQ(picture(0), 60);
  EXPECT_EQ(picture(2), 7) << "sharpness travels times ten";
  EXPECT_EQ(picture(10), 5) << "\"1 To 1\" is kept as 5";
  EXPECT_EQ(picture(9), 3);
  EXPECT_EQ(setup(5), 3) << "OPM 5 on FamilyU is timing code 3";
  EXPECT_EQ(setup(14), 1);
  EXPECT_EQ(setup(16), 1);
  EXPECT_EQ(setup(12), 40);
  EXPECT_EQ(u.Image().PictureSettings.Entry(0)[0], 50) << "window 0 untouched";

  u.Ask(Command("s00LEB1420\r\n"));
  u.Ask(Command("s00EFT-100\r\n"));
  u.Ask(Command("s00EFB9000\r\n"));  // -1000: below the shift range
  u.Ask(Command("s00EBG+230\r\n"));
  u.Ask(Command("s00EOB+000\r\n"));
  const uint8_t* edges = u.Image().BlendEdges.Entry(1);
  EXPECT_EQ(ReadU16(edges + 0), 1420);
  EXPECT_EQ(ReadU16(edges + 12), 200);
  EXPECT_EQ(ReadU16(edges + 14), 200) << "the 9xxx form reads as a negative shift";
  EXPECT_EQ(ReadU16(u.Image().BlendGamma.Entry(1) + 2), 230);
  EXPECT_EQ(u.Image().BlendGamma.Entry(1)[15], 0);

  u.Ask(Command("s00BID+042\r\n"));
  EXPECT_EQ(u.Image().WindowSetup.Entry(0)[0], 42) << "the box id lives in window 0";

  Box m(Model(0x24));
  m.Ask(Command("s00RGN+100\r\n"));
  m.Ask(Command("s00INP+000\r\n"));
  m.Ask(Command("s00H1W1600\r\n"));
  m.Ask(Command("s00OPM+014\r\n"));
  EXPECT_EQ(m.Image().PictureSettings.Entry(0)[6], 255) << "FamilyM gains are percentages";
  EXPECT_EQ(m.Image().WindowSetup.Entry(0)[3], 3) << "FamilyM input order";
  EXPECT_EQ(ReadU16(m.Image().EdidSettings.Entry(0) + 8 + 2), 1600)
      << "HDMI 1 of FamilyM is record 1";
  EXPECT_EQ(m.Image().WindowSetup.Entry(0)[5], 29) << "1280x800@120";
}

TEST(BoxModel, MalformedCommandsAndWindowsAreIgnored) {
  Box box(Model(0x12));
  const SettingsImage before = box.Image();
  box.Ask(Command("x00BRI+060\r\n"));
  box.Ask(Command("s00BRI+0a0\r\n"));
  box.Ask(Command("s00bri+060\r\n"));
  box.Ask(Command("s00OPM+099\r\n"));
  EXPECT_TRUE(box.Image() == before);
  box.Select(2);
  EXPECT_EQ(box.model.SelectedWindow(), 0) << "a two-window box has no window 3";
}

TEST(BoxModel, WarpPointWritesAnswerWithTheStoredCoordinate) {
  Box box;
  box.Select(1);
  box.Ask(Request(FrameCode::WarpSelect).U8(8, SubCode::WarpCursor).U16(10, 18));
  const WireFrame& x =
      box.Ask(Request(FrameCode::WarpPointX).U8(8, SubCode::WarpPointX).U8(9, 2).U16(10, 1300));
  EXPECT_EQ(ReadU16(x.data() + 8), 1200) << "kept within 0..1200";
  EXPECT_EQ(GetPoint(box.Image().WarpGrid.Entry(1), 18), (Point{1200, 600}));

  const WireFrame& corner =
      box.Ask(Request(FrameCode::WarpCornerY).U8(8, SubCode::WarpCornerY).U8(10, 3).U16(12, 590));
  EXPECT_EQ(ReadU32(corner.data() + 4), FrameCode::WarpCornerY);
  EXPECT_EQ(ReadU16(corner.data() + 8), 590);
  EXPECT_EQ(GetPoint(box.Image().WarpCorners.Entry(1), 3), (Point{600, 590}));
  EXPECT_EQ(box.Image().WarpMode.bytes[1], 1) << "a corner write selects corner warp";

  // Cursor on (16, 4): curve point 6.
  box.Ask(Request(FrameCode::WarpSelect).U8(8, SubCode::WarpCursor).U16(10, 4 * 17 + 16));
  const WireFrame& curve =
      box.Ask(Request(FrameCode::WarpCurveX).U8(8, SubCode::WarpCurveX).U16(10, 2500));
  for (unsigned i = 0; i < 12; ++i) {
    const Point expected = i == 6 ? Point{2400, 1200} : Point{1200, 1200};
    EXPECT_EQ(GetPoint(curve.data() + 8, i), expected) << i;
  }

  // With no point selected nothing is stored.
  box.Ask(Request(FrameCode::WarpSelect).U8(8, SubCode::WarpCursor).U16(10, 0xFFFF));
  const SettingsImage before = box.Image();
  EXPECT_EQ(ReadU16(box.Ask(Request(FrameCode::WarpPointY).U16(10, 7)).data() + 8), 7);
  EXPECT_TRUE(box.Image() == before);
}

TEST(BoxModel, LineMovesAndResetsActOnTheWholeLine) {
  Box box;
  auto reg = [&](std::initializer_list<uint8_t> bytes) {
    Request rq(FrameCode::RegisterWrite);
    std::size_t off = 8;
    for (uint8_t b : bytes) rq.U8(off++, b);
    box.Ask(rq);
  };
  // Row 4 up by 8 (H line), then column 8 right by 16 (V line).
  reg({0, 6, 2, 0, 0xB3, 1, 4 * 17 + 16, 0, 8, 1});
  reg({0, 6, 2, 0, 0xB3, 0, 136 + 8, 1, 16, 0});
  const uint8_t* grid = box.Image().WarpGrid.Entry(0);
  EXPECT_EQ(GetPoint(grid, 4 * 17 + 0), (Point{600, 592}));
  EXPECT_EQ(GetPoint(grid, 4 * 17 + 8), (Point{616, 592}));
  EXPECT_EQ(GetPoint(grid, 0 * 17 + 8), (Point{616, 600}));
  EXPECT_EQ(GetPoint(grid, 0), (Point{600, 600}));

  reg({0, 3, 2, 0, 0xB2, 2, 1});
  for (unsigned p = 0; p < 170; ++p) ASSERT_EQ(GetPoint(grid, p), (Point{600, 600})) << p;
}

TEST(BoxModel, RawGridAdjustKeepsOneEntryPerCell) {
  Box box;
  auto cell = [&](uint8_t x, uint8_t y) {
    box.Ask(Request(FrameCode::WarpSelect).U8(8, SubCode::RawGridCell).U8(10, x).U8(11, y));
  };
  auto adjust = [&](uint8_t selector, uint8_t value) {
    box.Ask(Request(FrameCode::RawGridAdjust)
                .U8(8, SubCode::RawGridAdjust)
                .U8(10, selector)
                .U8(11, value));
  };
  auto read = [&] { return box.Ask(Request(FrameCode::ReadRawGrid).U32(8, 0)); };

  cell(12, 5);
  adjust(1, 60);
  adjust(0, 40);
  cell(3, 4);
  adjust(0, 70);
  WireFrame f = read();
  EXPECT_EQ(f[8], 2);
  const uint8_t expected[8] = {12, 5, 60, 40, 3, 4, 50, 70};
  EXPECT_EQ(std::memcmp(f.data() + 12, expected, 8), 0);

  cell(12, 5);
  adjust(2, 0);
  f = read();
  EXPECT_EQ(f[8], 1);
  EXPECT_EQ(f[12], 3) << "the reset cell's entry is gone, the rest moves up";
  EXPECT_EQ(read()[8], 1);
  EXPECT_EQ(box.Ask(Request(FrameCode::ReadRawGrid).U32(8, 7))[8], 0) << "no window 8";
}

TEST(BoxModel, BlendPointWritesUseTheRegionCodes) {
  Box box;
  box.Ask(Request(FrameCode::BlackLevelWrite).U8(8, 0xAF).U8(10, 0x4E).U8(11, 1).U16(12, 200));
  box.Ask(Request(FrameCode::BlackLevelWrite).U8(8, 0xAF).U8(10, 0x00).U8(11, 2).U16(12, 999));
  box.Ask(Request(FrameCode::CornerPointWrite).U8(8, 0xB0).U8(10, 0x08).U8(11, 0).U16(12, 0));
  box.Ask(Request(FrameCode::MaskPointWrite).U8(8, 0xB1).U8(10, 0x98).U8(11, 1).U16(12, 1800));
  box.Ask(Request(FrameCode::MaskPointWrite).U8(8, 0xB1).U8(10, 0x4E).U8(11, 1).U16(12, 5));
  const uint8_t* black = box.Image().BlackLevel.Entry(0);
  EXPECT_EQ(black[3 * 0 + 1], 200) << "centre is slot 0";
  EXPECT_EQ(black[3 * 5 + 2], 255) << "top-left is slot 5, kept within a byte";
  EXPECT_EQ(GetPoint(box.Image().CornerPoints.Entry(0), 1), (Point{0, 900}));
  EXPECT_EQ(GetPoint(box.Image().MaskPoints.Entry(0), 7), (Point{900, 1800}));
  for (unsigned i = 0; i < 7; ++i)
    EXPECT_EQ(GetPoint(box.Image().MaskPoints.Entry(0), i), (Point{900, 900})) << "no centre";
}

TEST(BoxModel, OverlapAndSubColourRegisterWrites) {
  Box box;
  Request main(FrameCode::RegisterWrite);
  main.U8(8, 2).U8(9, 14).U8(10, 1).U8(12, 0x35).U8(13, 0).U16(14, 7).U16(16, 8);
  main.U16(18, 1000).U16(20, 1900).U16(22, 4000).U16(24, 0);
  box.Ask(main);
  const uint8_t* wall = box.Image().WallSettings.Entry(2);
  EXPECT_EQ(ReadU16(wall + 4), 1000);
  EXPECT_EQ(ReadU16(wall + 6), 1900);
  EXPECT_EQ(ReadU16(wall + 8), 3600);
  EXPECT_EQ(ReadU16(wall + 12), 7);

  Request sub(FrameCode::RegisterWrite);
  sub.U8(8, 1).U8(9, 14).U8(10, 1).U8(12, 0x35).U8(13, 2).U16(14, 1920).U16(16, 1080);
  sub.U16(18, 1).U16(20, 2).U16(22, 3).U16(24, 4);
  box.Ask(sub);
  const uint8_t* layout = box.Image().SubWindowLayout.Entry(1);
  EXPECT_EQ(ReadU16(layout + 6 + 12 + 4), 1);
  EXPECT_EQ(ReadU16(layout + 6 + 12 + 10), 4);

  // Blue of sub window 2 of window 1 to 128.
  box.Ask(Request(FrameCode::RegisterWrite)
              .U8(8, 1)
              .U8(9, 4)
              .U8(10, 1)
              .U8(12, 0x34)
              .U8(13, 4)
              .U8(14, 2)
              .U8(15, 0x80));
  EXPECT_EQ(box.Image().SubWindowColour.Entry(1)[8 + 4], 0x80);

  const SettingsImage before = box.Image();
  box.Ask(Request(FrameCode::RegisterWrite).U8(8, 9).U8(12, 0x35));
  box.Ask(Request(FrameCode::RegisterWrite).U8(8, 0).U8(12, 0x35).U8(13, 4));
  box.Ask(Request(FrameCode::RegisterWrite).U8(8, 0).U8(12, 0x34).U8(13, 5).U8(14, 1));
  EXPECT_TRUE(box.Image() == before);
}

TEST(BoxModel, UploadPiecesStayInsideTheirRecords) {
  Box box;
  const SettingsImage before = box.Image();
  // A length beyond the frame, a window beyond the box, a point beyond the grid.
  box.Ask(Request(FrameCode::WriteBlock).U8(8, 0).U8(10, 0xC3).U16(14, 0xFFFF));
  box.Ask(Request(FrameCode::WriteBlock).U8(8, 4).U8(10, 0xC0).U16(14, 48));
  box.Ask(Request(FrameCode::WriteBlock).U8(8, 0).U8(10, 0xC0).U16(12, 170).U16(14, 48));
  box.Ask(Request(FrameCode::WriteBlock).U8(8, 0).U8(10, 0xC8).U8(12, 100).U16(14, 48));
  SettingsImage expected = before;
  std::memset(expected.PictureSettings.Entry(0), 0, 12);
  EXPECT_TRUE(box.Image() == expected);

  // The last raw-grid piece carries the count, which cannot pass 100.
  box.Ask(Request(FrameCode::WriteBlock).U8(8, 1).U8(10, 0xC8).U8(12, 96).U8(13, 200).U16(14, 16));
  EXPECT_EQ(box.Image().RawGridInfo.bytes[1], 100);
  // The output-active byte reports the box, whatever the upload says.
  box.Ask(Request(FrameCode::WriteBlock).U8(8, 0).U8(10, 0xC7).U16(14, 32));
  EXPECT_EQ(box.Image().WindowSetup.Entry(0)[4], 1);
}

TEST(BoxModel, OnlyTheLastWindowsDoneFrameIsFollowedByAFrameOfTheBox) {
  Box box(Model(0x12));
  box.Ask(Request(FrameCode::WriteBlocksDone).U8(8, 0).U8(9, 2).U8(10, 0xCF));
  EXPECT_EQ(box.response.count, 1u);
  box.Ask(Request(FrameCode::WriteBlocksDone).U8(8, 1).U8(9, 2).U8(10, 0xCF));
  ASSERT_EQ(box.response.count, 2u);
  EXPECT_EQ(ReadU32(box.response.frames[1].data()), ReplyMagic);
  EXPECT_NE(ReadU32(box.response.frames[1].data() + 4), FrameCode::ReadStatus);
  // Profile load and all reset answer with their single reply, which already
  // moves the tool's reload chain on.
  box.Ask(Request(FrameCode::LoadProfile).Command("s00PFA+000\r\n"));
  EXPECT_EQ(box.response.count, 1u);
  box.Ask(Request(FrameCode::ProfileCommand).Command("s00RXT+001\r\n"));
  EXPECT_EQ(box.response.count, 1u);
}

TEST(BoxModel, ProfilesAllResetAndFactoryReset) {
  Box box;
  box.Ask(Command("s00BRI+010\r\n"));
  box.Ask(Command("s00PFV+003\r\n"));
  box.Ask(Request(FrameCode::ProfileCommand).Command("s00RXT+001\r\n"));
  EXPECT_EQ(box.Image().PictureSettings.Entry(0)[0], 50);
  box.Ask(Request(FrameCode::LoadProfile).Command("s00PFA+003\r\n"));
  EXPECT_EQ(box.Image().PictureSettings.Entry(0)[0], 10);
  box.Ask(Request(FrameCode::LoadProfile).Command("s00PFA+004\r\n"));
  EXPECT_EQ(box.Image().PictureSettings.Entry(0)[0], 50) << "an unsaved profile holds defaults";

  box.Ask(Command("s00BRI+020\r\n"));
  box.Ask(Command("s00PFV+009\r\n"));
  box.Ask(Request(FrameCode::FactoryReset).Command("s00VKY+250\r\n"));
  EXPECT_EQ(box.Image().PictureSettings.Entry(0)[0], 50);
  box.Ask(Request(FrameCode::LoadProfile).Command("s00PFA+009\r\n"));
  EXPECT_EQ(box.Image().PictureSettings.Entry(0)[0], 50) << "factory reset clears profiles";

  box.Ask(Command("s00HZM+003\r\n"));
  box.Ask(Command("s00RXT+002\r\n"));
  EXPECT_EQ(box.Image().WallSettings.Entry(0)[0], 0) << "wall reset";
}

TEST(BoxModel, NetworkSettingsAreReported) {
  Box box;
  Request rq(FrameCode::SetNetwork);
  const uint8_t octets[12] = {10, 0, 0, 5, 255, 255, 255, 0, 10, 0, 0, 1};
  std::memcpy(rq.bytes.data() + 9, octets, 12);
  box.Ask(rq);
  WireFrame f = box.Ask(Request(FrameCode::ReadSystemInfo));
  EXPECT_EQ(ReadU32(f.data() + 184), 0u);
  EXPECT_EQ(std::memcmp(f.data() + 188, octets, 12), 0);
  box.Ask(Request(FrameCode::SetNetwork).U8(8, 1));
  f = box.Ask(Request(FrameCode::ReadSystemInfo));
  EXPECT_EQ(ReadU32(f.data() + 184), 1u);
  EXPECT_EQ(std::memcmp(f.data() + 188, octets, 12), 0) << "DHCP keeps the last address";
}

TEST(BoxModel, ScenarioEventsTakeEffectWhenDue) {
  BoxConfig c = Model(0x12);
  c.signalAfterSec = 5;
  c.timingChangeAfterSec = 8;
  Box box(c);
  auto status = [&](int ms) {
    box.model.SetElapsed(std::chrono::milliseconds(ms));
    return box.Ask(Request(FrameCode::ReadStatus));
  };
  WireFrame f = status(4999);
  EXPECT_EQ(f[8 + 32], 0) << "window 2 has no signal yet";
  EXPECT_EQ(f[136 + 5], 30);
  f = status(5000);
  EXPECT_EQ(f[8 + 32], 1);
  EXPECT_EQ(ReadU16(f.data() + 8 + 32 + 4), 1920);
  f = status(8000);
  EXPECT_EQ(f[136 + 5], 3) << "window 1 changes to 1920x1080";
  EXPECT_EQ(box.Ask(Request(FrameCode::ReadSystemInfo))[48 + 5], 3)
      << "the settings report the same timing, so one re-read settles it";
}

TEST(BoxModel, SecondFamilyIdentifiesAndReportsItsPanel) {
  BoxConfig c;
  c.k712 = true;
  c.modelByte = 0x01;
  Box box(c);
  const WireFrame& id = box.Ask(Request(FrameCode::Identify));
  EXPECT_EQ(id[8], 1);
  EXPECT_EQ(id[20], 0x77);
  EXPECT_EQ(id[21], 0x88);

  box.Ask(Command("s00TX2+000\r\n"));
  box.Ask(Command("s00EDI+016\r\n"));
  box.Ask(Command("s00CEW2560\r\n"));
  WireFrame f = box.Ask(Request(FrameCode::ReadK712State));
  const uint16_t outputs[4] = {1, 0, 1, 1};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(ReadU16(f.data() + 8 + 2 * n), outputs[n]) << n;
  EXPECT_EQ(ReadU16(f.data() + 16), 16);
  EXPECT_EQ(ReadU16(f.data() + 18), 2560);
  EXPECT_EQ(ReadU16(f.data() + 16 + 8), 0) << "HDMI 2 disabled";
  EXPECT_EQ(ReadU16(f.data() + 40), 0x77) << "user EDID";
  EXPECT_EQ(ReadU16(f.data() + 42), 1);
  EXPECT_EQ(ReadU16(f.data() + 44), 1920);

  box.Ask(Command("s00PWR+000\r\n"));
  const WireFrame status = box.Ask(Request(FrameCode::ReadStatus));
  EXPECT_EQ(ReadU32(status.data() + 4), FrameCode::ReadStatus);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(ReadU16(status.data() + 8 + 2 * n), 0) << n;
  EXPECT_EQ(ReadU16(status.data() + 16 + 22), 1) << "powered off";
}

TEST(FirmwareReceiver, SumsOnlyTheImageBytesThatArrived) {
  FirmwareReceiver fw;
  fw.Begin(257);
  uint8_t block[256];
  std::memset(block, 0x01, sizeof block);
  fw.Block(0, block, 256);
  std::memset(block, 0x80, sizeof block);  // a stale tail after the image end
  fw.Block(256, block, 256);
  fw.Block(0x7FFFFFFF, block, 256);
  EXPECT_EQ(fw.ReceivedBytes(), 257u);
  EXPECT_EQ(fw.ByteSum(257), 256u + 0x80u);
  EXPECT_EQ(fw.ByteSum(100000), 256u + 0x80u) << "never past the announced size";
  fw.Block(0, block, 1);
  EXPECT_EQ(fw.ReceivedBytes(), 257u) << "a block sent again replaces, not adds";
}

TEST(BoxModel, BoardQueryAndPerChannelSums) {
  BoxConfig c;
  c.boardChannels = 0x05;
  c.emptyBoardAnswers = 2;
  Box box(c);
  for (int i = 0; i < 2; ++i) {
    const WireFrame& f = box.Ask(Request(FrameCode::FwBoardQuery));
    EXPECT_EQ(f[8], 0);
    EXPECT_EQ(f[12], 0xFF);
  }
  const WireFrame& q = box.Ask(Request(FrameCode::FwBoardQuery));
  EXPECT_EQ(q[8], 0x05);
  EXPECT_NE(q[12], 0xFF);
  EXPECT_EQ(q[16], 0xFF) << "channel 2 absent";

  box.Ask(Request(FrameCode::FwBoardBegin).U32(8, 300));
  Request block(FrameCode::FwBoardBlock);
  std::memset(block.bytes.data() + 12, 2, 256);
  box.Ask(block);
  block.U32(8, 256);
  box.Ask(block);
  const WireFrame& end = box.Ask(Request(FrameCode::FwBoardEnd).U32(8, 300));
  EXPECT_EQ(ReadU32(end.data() + 8), 600u);
  EXPECT_EQ(ReadU32(end.data() + 12), 0u);
  EXPECT_EQ(ReadU32(end.data() + 16), 600u);
  EXPECT_EQ(ReadU32(end.data() + 20), 0u);

  box.model.Connected();
  EXPECT_EQ(box.Ask(Request(FrameCode::FwBoardQuery))[8], 0) << "counted per connection";
}

TEST(BoxModel, WrongChecksumOptionSkewsTheMainSum) {
  BoxConfig c;
  c.wrongFirmwareChecksum = true;
  Box box(c);
  box.Ask(Request(FrameCode::FwMainBegin).U32(8, 256));
  Request block(FrameCode::FwMainBlock);
  std::memset(block.bytes.data() + 12, 1, 256);
  box.Ask(block);
  EXPECT_EQ(ReadU16(box.Ask(Request(FrameCode::FwMainEnd).U32(8, 256)).data() + 8), 257);
}

// Whatever arrives, the box answers with a well-formed frame and keeps its
// blocks to themselves (the sanitizers watch the memory side).
TEST(BoxModel, RandomRequestsNeverBreakTheBox) {
  const uint32_t codes[] = {
      FrameCode::SendCommand, FrameCode::RegisterWrite,   FrameCode::WriteBlock,
      FrameCode::WarpSelect,  FrameCode::RawGridAdjust,   FrameCode::ReadWarpGrid,
      FrameCode::ReadRawGrid, FrameCode::WarpCurveX,      FrameCode::WarpCornerX,
      FrameCode::FwMainBlock, FrameCode::FwBoardBlock,    FrameCode::SelectWindow,
      FrameCode::SetNetwork,  FrameCode::BlackLevelWrite, FrameCode::WriteBlocksDone,
  };
  for (uint8_t model : {0x14, 0x21, 0x03}) {
    Box box(Model(model));
    box.Ask(Request(FrameCode::FwMainBegin).U32(8, 4096));
    std::mt19937 rng(model);
    for (int i = 0; i < 20000; ++i) {
      Request rq(codes[rng() % std::size(codes)]);
      for (std::size_t b = 8; b < 64; ++b) rq.bytes[b] = static_cast<uint8_t>(rng());
      if (rng() % 4 == 0) std::memcpy(rq.bytes.data() + 8, "s00", 3);
      const WireFrame& f = box.Ask(rq);
      ASSERT_EQ(ReadU32(f.data()), ReplyMagic);
      ASSERT_LE(box.Image().RawGridInfo.bytes[0], 100);
      ASSERT_LT(box.model.SelectedWindow(), WindowCountOf(model));
    }
  }
}

}  // namespace
}  // namespace lumera::boxsim
