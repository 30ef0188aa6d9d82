#include "link/reply_assembler.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/frame_codes.h"

namespace lumera {
namespace {

std::vector<uint8_t> Reply(uint32_t code, std::size_t size) {
  std::vector<uint8_t> r(size, 0xAB);
  WriteU32(r.data(), ReplyMagic);
  WriteU32(r.data() + 4, code);
  return r;
}

TEST(ReplyLengthTest, WhatEachReplyCarries) {
  const struct {
    uint32_t code;
    std::size_t length;
  } cases[] = {
      {FrameCode::Identify, 22},        {FrameCode::FwMainBegin, 8},
      {FrameCode::FwMainEnd, 10},       {FrameCode::FwBootEnd, 10},
      {FrameCode::FwBoardQuery, 27},    {FrameCode::FwBoardEnd, 24},
      {FrameCode::ReadSystemInfo, 200}, {FrameCode::ReadPicture, 56},
      {FrameCode::ReadWall, 72},        {FrameCode::ReadSubWindows, 320},
      {FrameCode::ReadEdid, 168},       {FrameCode::ReadBlackLevel, 128},
      {FrameCode::ReadMaskPoints, 136}, {FrameCode::ReadWarpGrid, 352},
      {FrameCode::ReadWarpExtras, 268}, {FrameCode::ReadRawGrid, 412},
      {FrameCode::ReadStatus, 392},     {FrameCode::SendCommand, 8},
      {FrameCode::WarpCornerY, 10},     {FrameCode::WarpCurveX, 56},
      {FrameCode::ReadK712State, 56},   {0x4242, 512},
  };
  const std::vector<uint8_t> none(512, 0);
  for (const auto& c : cases)
    EXPECT_EQ(ReplyLength(c.code, none.data(), 8, false), c.length) << std::hex << c.code;
  EXPECT_EQ(ReplyLength(FrameCode::ReadStatus, none.data(), 8, true), 56u);
}

TEST(ReplyLengthTest, InputInfoCarriesItsExtensionOnlyAfterTheMarker) {
  std::vector<uint8_t> r = Reply(FrameCode::ReadInputInfo, 268);
  EXPECT_EQ(ReplyLength(FrameCode::ReadInputInfo, r.data(), 136, false), 136u);
  // The marker has not been seen whole: it may still be one.
  WriteU32(r.data() + 136, 0x12345678);
  EXPECT_EQ(ReplyLength(FrameCode::ReadInputInfo, r.data(), 138, false), 268u);
  EXPECT_EQ(ReplyLength(FrameCode::ReadInputInfo, r.data(), 140, false), 268u);
  WriteU32(r.data() + 136, 0x12345600);
  EXPECT_EQ(ReplyLength(FrameCode::ReadInputInfo, r.data(), 140, false), 136u);
}

TEST(ReplyAssemblerTest, SplitReplyIsWholeExactlyWhenItsLastByteIsIn) {
  const std::vector<uint8_t> r = Reply(FrameCode::ReadWarpGrid, 352);
  ReplyAssembler a;
  EXPECT_EQ(a.Append(r.data(), 5), 5u);  // not even the FrameCode yet
  EXPECT_FALSE(a.Complete());
  a.Append(r.data() + 5, 200);
  EXPECT_FALSE(a.Complete());
  a.Append(r.data() + 205, 146);
  EXPECT_FALSE(a.Complete());
  a.Append(r.data() + 351, 1);
  EXPECT_TRUE(a.Complete());
  ASSERT_EQ(a.Size(), 352u);
  EXPECT_EQ(std::vector<uint8_t>(a.Data(), a.Data() + a.Size()), r);
}

TEST(ReplyAssemblerTest, ShortAndFullReadsAreWholeAtOnce) {
  ReplyAssembler a;
  const std::vector<uint8_t> fwEnd = Reply(FrameCode::FwMainEnd, 10);
  a.Append(fwEnd.data(), fwEnd.size());
  EXPECT_TRUE(a.Complete());
  a.Clear();
  EXPECT_TRUE(a.Empty());
  // A box that always answers with a whole frame.
  const std::vector<uint8_t> full = Reply(FrameCode::SelectWindow, 512);
  a.Append(full.data(), full.size());
  EXPECT_TRUE(a.Complete());
  EXPECT_EQ(a.Size(), 512u);
}

TEST(ReplyAssemblerTest, StatusReplyLengthFollowsTheFamily) {
  const std::vector<uint8_t> r = Reply(FrameCode::ReadStatus, 56);
  ReplyAssembler a;
  a.Append(r.data(), r.size());
  EXPECT_FALSE(a.Complete());
  a.SetSecondFamily(true);
  EXPECT_TRUE(a.Complete());
}

TEST(ReplyAssemblerTest, AFrameNeverGrowsPast512Bytes) {
  const std::vector<uint8_t> unknown = Reply(0x4242, 300);
  ReplyAssembler a;
  a.Append(unknown.data(), unknown.size());
  EXPECT_FALSE(a.Complete());
  const std::vector<uint8_t> more(300, 0x11);
  EXPECT_EQ(a.Append(more.data(), more.size()), 212u);
  EXPECT_TRUE(a.Complete());
  EXPECT_EQ(a.Size(), 512u);
  a.Clear();
  EXPECT_EQ(a.Append(more.data() + 212, 88), 88u);
  EXPECT_EQ(a.Size(), 88u);
}

}  // namespace
}  // namespace lumera
