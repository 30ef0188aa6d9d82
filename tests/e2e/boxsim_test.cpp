// The simulated box over a real loopback socket, driven by a minimal client
// that speaks the tool's side of the protocol.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "conversation/settings_image.h"
#include "link/frame.h"
#include "link/frame_codes.h"
#include "support/boxsim_process.h"
#include "support/request_frame.h"

namespace lumera {
namespace {

using Frame = std::array<uint8_t, kTcpFrameSize>;

using test::Request;

// The tool's end of a TCP link, reduced to what the tests need. Every wait
// has a time-out.
class RawClient {
 public:
  ~RawClient() { Close(); }

  bool Connect(uint16_t port) {
    Close();
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  bool SendBytes(const uint8_t* p, std::size_t n) {
    return ::send(fd_, p, n, MSG_NOSIGNAL) == static_cast<ssize_t>(n);
  }
  bool Send(const Request& rq) { return SendBytes(rq.bytes.data(), rq.bytes.size()); }

  // One receive: the byte count, 0 when the box closed, -1 on time-out.
  int ReadOnce(uint8_t* p, std::size_t n, int timeoutMs) {
    pollfd fd{fd_, POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) != 1) return -1;
    const ssize_t got = ::recv(fd_, p, n, 0);
    return got < 0 ? 0 : static_cast<int>(got);
  }
  // Joins one whole reply frame.
  bool Receive(Frame& f, int timeoutMs = 3000) {
    std::size_t have = 0;
    while (have < f.size()) {
      const int n = ReadOnce(f.data() + have, f.size() - have, timeoutMs);
      if (n <= 0) return false;
      have += static_cast<std::size_t>(n);
    }
    return true;
  }
  bool ClosedByBox(int timeoutMs = 3000) {
    uint8_t sink[kTcpFrameSize];
    for (;;) {
      const int n = ReadOnce(sink, sizeof sink, timeoutMs);
      if (n < 0) return false;
      if (n == 0) return true;
    }
  }
  bool NothingWithin(int ms) {
    pollfd fd{fd_, POLLIN, 0};
    return ::poll(&fd, 1, ms) == 0;
  }

  // Sends a request and returns its reply, checked for the magic and code.
  Frame Ask(const Request& rq) {
    Frame f{};
    EXPECT_TRUE(Send(rq));
    EXPECT_TRUE(Receive(f)) << "no reply to " << std::hex << Code(rq.bytes);
    EXPECT_EQ(ReadU32(f.data()), ReplyMagic);
    EXPECT_EQ(Code(f), Code(rq.bytes));
    return f;
  }
  static uint32_t Code(const Frame& f) { return ReadU32(f.data() + 4); }

 private:
  int fd_ = -1;
};

class BoxsimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (test::BoxsimProcess::Path().empty()) GTEST_SKIP() << "LUMERA_BOXSIM not set";
  }
  void Start(const std::vector<std::string>& options) {
    std::string error;
    ASSERT_TRUE(sim.Start(options, &error)) << error;
    ASSERT_TRUE(client.Connect(sim.Port()));
  }
  test::BoxsimProcess sim;
  RawClient client;
};

bool AllPoints(const uint8_t* p, unsigned count, Point expected) {
  for (unsigned i = 0; i < count; ++i)
    if (!(GetPoint(p, i) == expected)) return false;
  return true;
}

// The connect sequence of the tool: identification, the system info and
// every settings block, the warp and blend blocks only for models that have
// those pages. Each reply is checked at the offsets the tool reads.
void FullRead(RawClient& c, uint8_t model) {
  namespace C = FrameCode;
  const unsigned windows = model & 0x0F;
  Frame f = c.Ask(Request(C::Identify));
  EXPECT_EQ(f[8], 1);
  EXPECT_FALSE(f[20] == 0x77 && f[21] == 0x88);

  f = c.Ask(Request(C::ReadSystemInfo));
  EXPECT_EQ(f[8], 1);
  EXPECT_EQ(f[10], 0);
  EXPECT_EQ(f[11], model);
  EXPECT_EQ((f[12] << 16) | (f[13] << 8) | f[14], 221109);
  EXPECT_NE(f[16], 0);
  EXPECT_EQ(f[47], 0);
  for (unsigned w = 0; w < 4; ++w) {
    EXPECT_EQ(f[48 + 32 * w + 4], w < windows ? 1 : 0) << w;
    EXPECT_EQ(f[48 + 32 * w + 5], 30) << w;
    EXPECT_EQ(f[48 + 32 * w + 12], 32) << w;
  }
  const uint8_t address[4] = {127, 0, 0, 1};
  EXPECT_EQ(ReadU32(f.data() + 184), 0u) << "static address";
  EXPECT_EQ(std::memcmp(f.data() + 188, address, 4), 0);

  f = c.Ask(Request(C::ReadInputInfo));
  EXPECT_EQ(f[8], 1);
  EXPECT_EQ(ReadU16(f.data() + 8 + 4), 1920);
  EXPECT_EQ(ReadU16(f.data() + 8 + 6), 1080);
  EXPECT_EQ(ReadU32(f.data() + 136), 0x12345678u);
  EXPECT_EQ(f[140 + 7], 122);
  EXPECT_EQ(ReadU16(f.data() + 140 + 2), 600) << "60.0 Hz";

  f = c.Ask(Request(C::ReadPicture));
  const uint8_t picture[11] = {50, 75, 5, 50, 50, 3, 255, 255, 255, 0, 0};
  for (unsigned w = 0; w < 4; ++w) EXPECT_EQ(std::memcmp(f.data() + 8 + 12 * w, picture, 11), 0);
  f = c.Ask(Request(C::ReadWall));
  for (unsigned w = 0; w < 4; ++w) EXPECT_EQ(ReadU16(f.data() + 8 + 16 * w + 10), 1800);
  f = c.Ask(Request(C::ReadSubWindows));
  EXPECT_EQ(f[8 + 1], 50);
  EXPECT_EQ(ReadU16(f.data() + 8 + 54 * 3 + 6 + 24 + 10), 1800);
  const uint8_t colour[5] = {50, 75, 255, 255, 255};
  EXPECT_EQ(std::memcmp(f.data() + 224 + 24 * 3 + 16, colour, 5), 0);
  f = c.Ask(Request(C::ReadEdid));
  EXPECT_EQ(ReadU16(f.data() + 8 + 40 * 3 + 8 * 4 + 2), 1920);
  EXPECT_EQ(ReadU16(f.data() + 8 + 40 * 3 + 8 * 4 + 4), 1080);
  if ((model & 0x30) == 0) return;

  f = c.Ask(Request(C::ReadBlendEdges));
  EXPECT_EQ(ReadU16(f.data() + 8 + 16 * 3 + 14), 300);
  f = c.Ask(Request(C::ReadBlendGamma));
  EXPECT_EQ(ReadU16(f.data() + 8 + 16 * 3 + 4), 220);
  EXPECT_EQ(f[8 + 16 * 3 + 9], 220);
  f = c.Ask(Request(C::ReadBlackLevel));
  for (std::size_t i = 0; i < 120; ++i) EXPECT_EQ(f[8 + i], 0);
  f = c.Ask(Request(C::ReadCornerPoints));
  EXPECT_TRUE(AllPoints(f.data() + 8, 32, {1200, 900}));
  f = c.Ask(Request(C::ReadMaskPoints));
  EXPECT_TRUE(AllPoints(f.data() + 8, 32, {900, 900}));
  for (uint16_t w = 0; w < 4; ++w) {
    for (uint16_t first : {0, 85}) {
      f = c.Ask(Request(C::ReadWarpGrid).U16(8, w).U16(10, first));
      EXPECT_TRUE(AllPoints(f.data() + 12, 85, {600, 600})) << w << " " << first;
    }
  }
  f = c.Ask(Request(C::ReadWarpExtras));
  for (unsigned w = 0; w < 4; ++w) EXPECT_EQ(f[8 + w], 2) << "3x3";
  EXPECT_TRUE(AllPoints(f.data() + 12, 16, {600, 600}));
  EXPECT_TRUE(AllPoints(f.data() + 76, 48, {1200, 1200}));
  EXPECT_EQ(f[268], 0);
  for (uint32_t w = 0; w < 4; ++w) {
    f = c.Ask(Request(C::ReadRawGrid).U32(8, w));
    EXPECT_EQ(f[8], 0);
  }
}

TEST_F(BoxsimTest, FullReadOfABoxWithWarpPages) {
  Start({"--model", "0x14"});
  FullRead(client, 0x14);
}

TEST_F(BoxsimTest, FullReadOfABoxWithoutWarpPages) {
  Start({"--model", "0x03"});
  FullRead(client, 0x03);
}

// The upload of the setting-file loader, frame by frame, for a two-window
// FamilyU box; then the box reads back what was written.
TEST_F(BoxsimTest, TwoWindowUploadIsReadBackAndAnsweredByAFrameOfTheBox) {
  Start({"--model", "0x12"});
  SettingsImage im;
  std::array<WindowToolState, kWindows> tools{};
  for (unsigned w = 0; w < kWindows; ++w) ResetWindowDefaults(im, tools, w);
  std::mt19937 rng(7);
  auto scramble = [&](uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(rng());
  };
  for (unsigned w = 0; w < 2; ++w) {
    for (unsigned p = 0; p < 170; ++p)
      SetPoint(im.WarpGrid.Entry(w), p, {static_cast<uint16_t>(100 + p + w), 1100});
    im.WarpMode.bytes[w] = static_cast<uint8_t>(4 + w);
    scramble(im.WarpCorners.Entry(w), 16);
    scramble(im.WarpCurve.Entry(w), 48);
    scramble(im.RawGrid.Entry(w), 400);
    im.RawGridInfo.bytes[w] = static_cast<uint8_t>(40 + w);
    scramble(im.BlendEdges.Entry(w), 16);
    scramble(im.BlendGamma.Entry(w), 16);
    scramble(im.BlackLevel.Entry(w), 30);
    scramble(im.CornerPoints.Entry(w), 32);
    scramble(im.MaskPoints.Entry(w), 32);
    scramble(im.PictureSettings.Entry(w), 12);
    scramble(im.WallSettings.Entry(w), 16);
    scramble(im.SubWindowLayout.Entry(w), 54);
    scramble(im.SubWindowColour.Entry(w), 24);
    scramble(im.EdidSettings.Entry(w), 40);
    scramble(im.WindowSetup.Entry(w), 32);
  }

  std::vector<Request> frames;
  auto piece = [&](unsigned w, uint8_t block, uint16_t value, uint8_t flag, const uint8_t* data,
                   uint16_t n, bool wordValue = false) {
    Request rq(FrameCode::WriteBlock);
    rq.U8(8, static_cast<uint8_t>(w)).U8(9, static_cast<uint8_t>(n + 6)).U8(10, block).U8(11, 2);
    if (wordValue) {
      rq.U16(12, value);
    } else {
      rq.U8(12, static_cast<uint8_t>(value)).U8(13, flag);
    }
    rq.U16(14, n).Data(16, data, n);
    frames.push_back(rq);
  };
  for (unsigned w = 0; w < 2; ++w)
    for (uint16_t p = 0; p <= 144; p += 12)
      piece(w, 0xC0, p, 0, im.WarpGrid.Entry(w) + 4 * p, p == 144 ? 36 : 48, true);
  for (unsigned w = 0; w < 2; ++w) {
    piece(w, 0xC1, im.WarpMode.bytes[w], 0, im.WarpCorners.Entry(w), 16);
    piece(w, 0xC1, im.WarpMode.bytes[w], 0x80, im.WarpCurve.Entry(w), 48);
    piece(w, 0xC1, im.WarpMode.bytes[w], 0x80, im.WarpCurve.Entry(w), 48);
  }
  for (unsigned w = 0; w < 2; ++w)
    for (uint8_t e = 0; e <= 96; e += 12)
      piece(w, 0xC8, e, e >= 96 ? im.RawGridInfo.bytes[w] : 0, im.RawGrid.Entry(w) + 4 * e,
            e >= 96 ? 16 : 48);
  for (unsigned w = 0; w < 2; ++w) {
    uint8_t blend[32];
    std::memcpy(blend, im.BlendEdges.Entry(w), 16);
    std::memcpy(blend + 16, im.BlendGamma.Entry(w), 16);
    piece(w, 0xC2, 0, 0, blend, 32);
    piece(w, 0xC2, 1, 0, im.BlackLevel.Entry(w), 30);
    piece(w, 0xC2, 2, 0, im.CornerPoints.Entry(w), 32);
    piece(w, 0xC2, 3, 0, im.MaskPoints.Entry(w), 32);
  }
  for (unsigned w = 0; w < 2; ++w) piece(w, 0xC3, 0, 0, im.PictureSettings.Entry(w), 12);
  for (unsigned w = 0; w < 2; ++w) piece(w, 0xC4, 0, 0, im.WallSettings.Entry(w), 16);
  for (unsigned w = 0; w < 2; ++w) {
    piece(w, 0xC5, 0, 0, im.SubWindowLayout.Entry(w), 54);
    piece(w, 0xC5, 1, 0, im.SubWindowColour.Entry(w), 24);
  }
  for (unsigned w = 0; w < 2; ++w) piece(w, 0xC6, 0, 0, im.EdidSettings.Entry(w), 40);
  for (unsigned w = 0; w < 2; ++w) piece(w, 0xC7, 0, 0, im.WindowSetup.Entry(w), 32);
  for (unsigned w = 0; w < 2; ++w)
    frames.push_back(
        Request(FrameCode::WriteBlocksDone).U8(8, static_cast<uint8_t>(w)).U8(9, 2).U8(10, 0xCF));
  ASSERT_EQ(frames.size(), 72u);

  for (const Request& rq : frames) client.Ask(rq);
  Frame extra{};
  ASSERT_TRUE(client.Receive(extra)) << "the frame that lets the upload chain go on";
  EXPECT_EQ(ReadU32(extra.data()), ReplyMagic);
  EXPECT_NE(RawClient::Code(extra), FrameCode::ReadStatus);
  EXPECT_TRUE(client.NothingWithin(100)) << "exactly one extra frame";

  namespace C = FrameCode;
  for (uint16_t w = 0; w < 2; ++w) {
    const Frame a = client.Ask(Request(C::ReadWarpGrid).U16(8, w).U16(10, 0));
    const Frame b = client.Ask(Request(C::ReadWarpGrid).U16(8, w).U16(10, 85));
    EXPECT_EQ(std::memcmp(a.data() + 12, im.WarpGrid.Entry(w), 340), 0);
    EXPECT_EQ(std::memcmp(b.data() + 12, im.WarpGrid.Entry(w) + 340, 4 * (153 - 85)), 0);
    EXPECT_TRUE(AllPoints(b.data() + 12 + 4 * (153 - 85), 170 - 153, {600, 600}))
        << "the tenth row is not uploaded";
    const Frame raw = client.Ask(Request(C::ReadRawGrid).U32(8, w));
    EXPECT_EQ(raw[8], 40 + w);
    EXPECT_EQ(std::memcmp(raw.data() + 12, im.RawGrid.Entry(w), 400), 0);
  }
  const Frame extras = client.Ask(Request(C::ReadWarpExtras));
  EXPECT_EQ(extras[8], 4);
  EXPECT_EQ(extras[9], 5);
  EXPECT_EQ(std::memcmp(extras.data() + 12, im.WarpCorners.Data(), 32), 0);
  EXPECT_EQ(std::memcmp(extras.data() + 76, im.WarpCurve.Data(), 96), 0);

  struct Read {
    uint32_t code;
    std::size_t offset;
    const uint8_t* expected;
    std::size_t entry;
  };
  const Read reads[] = {
      {C::ReadBlendEdges, 8, im.BlendEdges.Data(), 16},
      {C::ReadBlendGamma, 8, im.BlendGamma.Data(), 16},
      {C::ReadBlackLevel, 8, im.BlackLevel.Data(), 30},
      {C::ReadCornerPoints, 8, im.CornerPoints.Data(), 32},
      {C::ReadMaskPoints, 8, im.MaskPoints.Data(), 32},
      {C::ReadPicture, 8, im.PictureSettings.Data(), 12},
      {C::ReadWall, 8, im.WallSettings.Data(), 16},
      {C::ReadSubWindows, 8, im.SubWindowLayout.Data(), 54},
      {C::ReadSubWindows, 224, im.SubWindowColour.Data(), 24},
      {C::ReadEdid, 8, im.EdidSettings.Data(), 40},
  };
  for (const Read& r : reads) {
    const Frame f = client.Ask(Request(r.code));
    EXPECT_EQ(std::memcmp(f.data() + r.offset, r.expected, 2 * r.entry), 0) << std::hex << r.code;
  }
  const Frame system = client.Ask(Request(C::ReadSystemInfo));
  for (unsigned w = 0; w < 2; ++w) {
    const uint8_t* got = system.data() + 48 + 32 * w;
    const uint8_t* sent = im.WindowSetup.Entry(w);
    EXPECT_EQ(got[4], 1) << "output state is the box's own";
    EXPECT_EQ(std::memcmp(got, sent, 4), 0);
    EXPECT_EQ(std::memcmp(got + 5, sent + 5, 13), 0);
    EXPECT_EQ(std::memcmp(got + 22, sent + 22, 10), 0);
  }
}

TEST_F(BoxsimTest, MainFirmwareOfWholeBlocksIsSummedAndCommitted) {
  Start({});
  const uint32_t size = 0x18000;  // 384 blocks of 256
  std::vector<uint8_t> image(size);
  std::mt19937 rng(3);
  uint32_t sum = 0;
  for (uint8_t& b : image) {
    b = static_cast<uint8_t>(rng());
    sum += b;
  }
  client.Ask(Request(FrameCode::FwMainBegin).U32(8, size));
  for (uint32_t off = 0; off < size; off += 256)
    client.Ask(Request(FrameCode::FwMainBlock).U32(8, off).Data(12, image.data() + off, 256));
  const Frame end = client.Ask(Request(FrameCode::FwMainEnd).U32(8, size));
  EXPECT_EQ(ReadU16(end.data() + 8), sum & 0xFFFF);
  const Frame commit = client.Ask(Request(FrameCode::FwMainCommit).U32(8, size).U32(12, sum));
  EXPECT_EQ(commit[8], 1);

  ASSERT_TRUE(client.Send(Request(FrameCode::Reboot)));
  EXPECT_TRUE(client.ClosedByBox()) << "the box restarts without an answer";
  ASSERT_TRUE(client.Connect(sim.Port()));
  EXPECT_EQ(client.Ask(Request(FrameCode::Identify))[8], 1) << "and is back for a new link";
}

TEST_F(BoxsimTest, SecondFamilyIdentifiesAndReportsItsState) {
  Start({"--k712"});
  const Frame id = client.Ask(Request(FrameCode::Identify));
  EXPECT_EQ(id[8], 1);
  EXPECT_EQ(id[20], 0x77);
  EXPECT_EQ(id[21], 0x88);
  const Frame system = client.Ask(Request(FrameCode::ReadSystemInfo));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(system.data() + 16), 4), "K712");
  const Frame state = client.Ask(Request(FrameCode::ReadK712State));
  const Frame status = client.Ask(Request(FrameCode::ReadStatus));
  EXPECT_EQ(std::memcmp(state.data() + 8, status.data() + 8, 48), 0);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(ReadU16(status.data() + 8 + 2 * n), 1) << n;
  EXPECT_EQ(ReadU16(status.data() + 40), 0x80) << "copied EDID";
  EXPECT_EQ(ReadU16(status.data() + 42), 1) << "signal present";
}

// Each fault option, as the tool would meet it.
TEST_F(BoxsimTest, StopAfterLeavesLaterRequestsUnanswered) {
  Start({"--stop-after", "3"});
  for (int i = 0; i < 3; ++i) client.Ask(Request(FrameCode::ReadStatus));
  ASSERT_TRUE(client.Send(Request(FrameCode::ReadStatus)));
  EXPECT_TRUE(client.NothingWithin(300));
}

TEST_F(BoxsimTest, CloseAfterDropsTheLinkAndCountsPerConnection) {
  Start({"--close-after", "2"});
  for (int round = 0; round < 2; ++round) {
    client.Ask(Request(FrameCode::Identify));
    client.Ask(Request(FrameCode::ReadSystemInfo));
    EXPECT_TRUE(client.ClosedByBox());
    ASSERT_TRUE(client.Connect(sim.Port()));
  }
}

TEST_F(BoxsimTest, BadMagicEveryNthReply) {
  Start({"--bad-magic-every", "2"});
  for (int i = 1; i <= 4; ++i) {
    ASSERT_TRUE(client.Send(Request(FrameCode::ReadPicture)));
    Frame f{};
    ASSERT_TRUE(client.Receive(f));
    EXPECT_EQ(ReadU32(f.data()) == ReplyMagic, i % 2 == 1) << i;
    EXPECT_EQ(RawClient::Code(f), FrameCode::ReadPicture);
  }
}

TEST_F(BoxsimTest, DelayHoldsEveryReply) {
  Start({"--delay-ms", "300"});
  ASSERT_TRUE(client.Send(Request(FrameCode::Identify)));
  EXPECT_TRUE(client.NothingWithin(150));
  Frame f{};
  EXPECT_TRUE(client.Receive(f));
  EXPECT_EQ(f[8], 1);
}

TEST_F(BoxsimTest, SplitRepliesArriveInTwoParts) {
  Start({"--split", "--split-at", "100", "--split-gap-ms", "200"});
  ASSERT_TRUE(client.Send(Request(FrameCode::ReadSystemInfo)));
  Frame f{};
  ASSERT_EQ(client.ReadOnce(f.data(), f.size(), 3000), 100);
  ASSERT_EQ(client.ReadOnce(f.data() + 100, f.size() - 100, 3000), 412);
  EXPECT_EQ(ReadU32(f.data()), ReplyMagic);
  EXPECT_EQ(f[11], 0x14);
}

TEST_F(BoxsimTest, RequestsSplitByThePeerAreJoined) {
  Start({});
  const Request rq(FrameCode::Identify);
  ASSERT_TRUE(client.SendBytes(rq.bytes.data(), 7));
  EXPECT_TRUE(client.NothingWithin(100));
  ASSERT_TRUE(client.SendBytes(rq.bytes.data() + 7, rq.bytes.size() - 7));
  Frame f{};
  ASSERT_TRUE(client.Receive(f));
  EXPECT_EQ(RawClient::Code(f), FrameCode::Identify);
}

TEST_F(BoxsimTest, ASecondClientWaitsForTheFirst) {
  Start({});
  client.Ask(Request(FrameCode::Identify));
  RawClient second;
  ASSERT_TRUE(second.Connect(sim.Port()));
  ASSERT_TRUE(second.Send(Request(FrameCode::Identify)));
  EXPECT_TRUE(second.NothingWithin(200));
  client.Close();
  Frame f{};
  EXPECT_TRUE(second.Receive(f));
  EXPECT_EQ(f[8], 1);
}

TEST_F(BoxsimTest, SignalAppearsAfterTheGivenTime) {
  Start({"--model", "0x12", "--signal-after", "1"});
  EXPECT_EQ(client.Ask(Request(FrameCode::ReadStatus))[8 + 32], 0);
  EXPECT_TRUE(client.NothingWithin(1100));
  const Frame f = client.Ask(Request(FrameCode::ReadStatus));
  EXPECT_EQ(f[8 + 32], 1);
  EXPECT_EQ(client.Ask(Request(FrameCode::ReadInputInfo))[8 + 32], 1);
}

TEST_F(BoxsimTest, LogHasOneReadableLinePerFrame) {
  char path[] = "/tmp/boxsim-log-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  Start({"--log", path});
  client.Ask(Request(FrameCode::ReadSystemInfo));
  Request command(FrameCode::SendCommand);
  command.Data(8, reinterpret_cast<const uint8_t*>("s00BRI+060\r\n"), 12);
  client.Ask(command);
  client.Close();
  EXPECT_EQ(sim.Stop(), 0);

  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  ::unlink(path);
  const std::string log = text.str();
  EXPECT_NE(log.find("> 6001 ReadSystemInfo"), std::string::npos) << log;
  EXPECT_NE(log.find("< 6001 ReadSystemInfo   01 00 00 14"), std::string::npos) << log;
  EXPECT_NE(log.find("> 6100 SendCommand      s00BRI+060"), std::string::npos) << log;
  EXPECT_NE(log.find("connected"), std::string::npos) << log;
}

TEST_F(BoxsimTest, EndsOnSigtermAndListsItsOptions) {
  Start({});
  ASSERT_TRUE(sim.Signal(SIGTERM));
  EXPECT_TRUE(client.ClosedByBox());
  EXPECT_EQ(sim.Stop(), 0);

  const std::string command = test::BoxsimProcess::Path() + " --help";
  std::FILE* p = ::popen(command.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string help;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, p)) help += buffer;
  EXPECT_EQ(::pclose(p), 0);
  for (const char* option :
       {"--address", "--port", "--model", "--version", "--version-text", "--l-variant", "--k712",
        "--signal-after", "--timing-change-after", "--log", "--stop-after", "--delay-ms",
        "--bad-magic-every", "--split", "--close-after", "--board-channels",
        "--empty-board-answers", "--exit-on-stdin-eof"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace lumera
