#include "link/frame_sender.h"

#include <gtest/gtest.h>

#include "support/recording_transport.h"

namespace lumera {
namespace {

class RecordingObserver : public SendObserver {
 public:
  void SendDroppedLinkDown() override { ++dropped; }
  void FrameSent(uint32_t step) override { shownSteps.push_back(step); }
  int dropped = 0;
  std::vector<uint32_t> shownSteps;
};

class FrameSenderTest : public ::testing::Test {
 protected:
  FrameSenderTest() {
    sender.SetTransport(&transport);
    sender.SetObserver(&observer);
  }
  BoxSession session;
  FrameSender sender{session};
  test::RecordingTransport transport;
  RecordingObserver observer;
};

TEST_F(FrameSenderTest, LinkDownDropsTheFrameEndsTheChainAndFreesTheWindow) {
  session.ConversationStep = 1004;
  sender.SendRequest(FrameCode::ReadEdid);
  EXPECT_TRUE(transport.frames.empty());
  EXPECT_EQ(session.ConversationStep, 0u);
  EXPECT_EQ(observer.dropped, 1);
  EXPECT_TRUE(observer.shownSteps.empty());
}

TEST_F(FrameSenderTest, RefreshGuardSendsNothingAndLeavesTheReadout) {
  session.LinkFlags = LinkFlag::Connected | LinkFlag::RefreshGuard;
  session.ConversationStep = 2020;
  sender.SendRequest(FrameCode::PatternSelect);
  EXPECT_TRUE(transport.frames.empty());
  EXPECT_TRUE(observer.shownSteps.empty());
  EXPECT_EQ(observer.dropped, 0);
  EXPECT_EQ(session.ConversationStep, 2020u);
}

TEST_F(FrameSenderTest, ConnectedSendsFiveHundredTwelveBytesFromFrameByteZeroAndShowsTheStep) {
  session.LinkFlags = LinkFlag::Connected;
  session.ConversationStep = 990;
  // A payload that reaches past 512 bytes still goes out as 512 bytes.
  for (std::size_t i = 0; i < kFrameBufferSize; ++i) session.TxBuffer[i] = static_cast<uint8_t>(i);
  session.TxFrame().SetCode(FrameCode::Identify);
  sender.SendFrame();
  ASSERT_EQ(transport.frames.size(), 1u);
  EXPECT_EQ(transport.frames[0].size(), kTcpFrameSize);
  EXPECT_EQ(transport.Code(0), FrameCode::Identify);
  EXPECT_EQ(transport.frames[0][8], 9);  // frame byte 8 is buffer byte 9
  EXPECT_EQ(transport.frames[0][511], static_cast<uint8_t>(512));
  EXPECT_EQ(observer.shownSteps, std::vector<uint32_t>{990});
}

TEST(FrameRef, AccessesBeyondTheFrameAreDropped) {
  FrameBuffer buffer{};
  FrameRef f(buffer);
  f.SetU32(kFrameSize - 2, 0xFFFFFFFF);
  f.SetU16(kFrameSize, 0xFFFF);
  EXPECT_EQ(f.U32(kFrameSize - 2), 0u);
  EXPECT_EQ(f.U8(kFrameSize), 0u);
  for (uint8_t b : buffer) EXPECT_EQ(b, 0);
  f.SetU16(kFrameSize - 2, 0xBEEF);
  EXPECT_EQ(f.U16(kFrameSize - 2), 0xBEEF);
}

}  // namespace
}  // namespace lumera
