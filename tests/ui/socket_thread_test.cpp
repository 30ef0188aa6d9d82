#include "link/socket_thread.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <thread>
#include <vector>

#include "link/frame_handover.h"
#include "support/loopback_box.h"
#include "support/pump.h"

namespace lumera {
namespace {

using test::PumpFor;
using test::PumpUntil;
using test::ReplyTo;

struct Handed {
  std::vector<uint8_t> bytes;
  bool onUiThread;
};

// A reader on one end of a socket pair; the test writes the box's side.
class SocketThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_), 0);
    reader_.Resume(fds_[0]);
  }
  void TearDown() override {
    reader_.Suspend();
    for (int fd : fds_)
      if (fd >= 0) close(fd);
  }
  void BoxSends(const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(write(fds_[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  void BoxSends(const std::vector<uint8_t>& bytes, std::size_t from, std::size_t to) {
    BoxSends(std::vector<uint8_t>(bytes.begin() + from, bytes.begin() + to));
  }

  std::vector<Handed> handed_;
  bool inside_ = false;
  bool overlapped_ = false;
  std::function<void()> duringHandling_;
  FrameHandover handover_{[this](const uint8_t* data, std::size_t size) {
    overlapped_ = overlapped_ || inside_;
    inside_ = true;
    handed_.push_back({std::vector<uint8_t>(data, data + size),
                       QThread::currentThread() == QCoreApplication::instance()->thread()});
    if (duringHandling_) duringHandling_();
    inside_ = false;
  }};
  TSocketThread reader_{handover_};
  int fds_[2] = {-1, -1};
};

TEST_F(SocketThreadTest, RepliesReachTheUiThreadInOrderOneAtATime) {
  // A handler that pumps events must still not see the next reply inside it.
  duringHandling_ = [] { QCoreApplication::processEvents(); };
  std::vector<uint8_t> burst;
  for (uint32_t i = 0; i < 6; ++i) {
    const std::vector<uint8_t> r = ReplyTo(0x7000 + i);
    burst.insert(burst.end(), r.begin(), r.end());
  }
  BoxSends(burst);
  ASSERT_TRUE(PumpUntil([&] { return handed_.size() == 6; }));
  for (uint32_t i = 0; i < 6; ++i) {
    EXPECT_EQ(handed_[i].bytes.size(), 512u);
    EXPECT_EQ(ReadU32(handed_[i].bytes.data() + 4), 0x7000 + i);
    EXPECT_TRUE(handed_[i].onUiThread);
  }
  EXPECT_FALSE(overlapped_);
}

TEST_F(SocketThreadTest, SplitReplyIsJoinedAndGoesOnceItIsWhole) {
  // With a gap this long, only a whole reply can go before the test ends.
  reader_.SetGapMs(60000);
  std::vector<uint8_t> grid = ReplyTo(FrameCode::ReadWarpGrid, 352);
  for (std::size_t i = 12; i < grid.size(); ++i) grid[i] = static_cast<uint8_t>(i);
  BoxSends(grid, 0, 6);
  PumpFor(30);
  BoxSends(grid, 6, 200);
  PumpFor(30);
  EXPECT_TRUE(handed_.empty());
  BoxSends(grid, 200, 352);
  ASSERT_TRUE(PumpUntil([&] { return !handed_.empty(); }));
  PumpFor(30);
  ASSERT_EQ(handed_.size(), 1u);
  EXPECT_EQ(handed_[0].bytes, grid);
}

TEST_F(SocketThreadTest, ShortWholeReplyGoesAtOnce) {
  reader_.SetGapMs(60000);
  std::vector<uint8_t> fwEnd = ReplyTo(FrameCode::FwMainEnd, 10);
  fwEnd[8] = 0x34;
  fwEnd[9] = 0x12;
  BoxSends(fwEnd);
  ASSERT_TRUE(PumpUntil([&] { return !handed_.empty(); }));
  EXPECT_EQ(handed_[0].bytes, fwEnd);
}

TEST_F(SocketThreadTest, UnfinishedReplyGoesAsItIsAfterTheGap) {
  reader_.SetGapMs(20);
  const std::vector<uint8_t> picture = ReplyTo(FrameCode::ReadPicture, 56);
  BoxSends(picture, 0, 30);
  ASSERT_TRUE(PumpUntil([&] { return !handed_.empty(); }));
  EXPECT_EQ(handed_[0].bytes.size(), 30u);
  // The next reply starts afresh.
  BoxSends(ReplyTo(FrameCode::SelectWindow, 8));
  ASSERT_TRUE(PumpUntil([&] { return handed_.size() == 2; }));
  EXPECT_EQ(ReadU32(handed_[1].bytes.data() + 4), FrameCode::SelectWindow);
}

TEST_F(SocketThreadTest, SuspendFromInsideTheHandlingEndsTheReader) {
  duringHandling_ = [this] { reader_.Suspend(); };
  BoxSends(ReplyTo(FrameCode::SelectWindow));
  ASSERT_TRUE(PumpUntil([&] { return !handed_.empty(); }));
  EXPECT_FALSE(reader_.Reading());
  BoxSends(ReplyTo(FrameCode::SendCommand));
  PumpFor(50);
  EXPECT_EQ(handed_.size(), 1u);
}

TEST_F(SocketThreadTest, ABoxThatHangsUpLeavesAReaderThatStillStops) {
  // What came before the hang-up still goes, without waiting for the gap.
  reader_.SetGapMs(60000);
  BoxSends(ReplyTo(FrameCode::ReadPicture, 30));
  close(fds_[1]);
  fds_[1] = -1;
  ASSERT_TRUE(PumpUntil([&] { return !handed_.empty(); }));
  EXPECT_TRUE(reader_.Reading());
  reader_.Suspend();
  EXPECT_FALSE(reader_.Reading());
}

TEST(FrameHandoverTest, AReleasedHandOverReturnsAndItsLateCallDoesNothing) {
  int handled = 0;
  FrameHandover handover([&](const uint8_t*, std::size_t) { ++handled; });
  handover.Open();
  const uint8_t frame[8] = {};
  bool delivered = true;
  std::thread reader([&] { delivered = handover.Deliver(frame, sizeof frame); });
  // The UI thread does not run its loop, as when it waits in a disconnect;
  // stopping the reader must not depend on it.
  QThread::msleep(20);
  handover.Release();
  reader.join();
  EXPECT_FALSE(delivered);
  PumpFor(30);
  EXPECT_EQ(handled, 0);
  EXPECT_FALSE(handover.Deliver(frame, sizeof frame));
}

}  // namespace
}  // namespace lumera
