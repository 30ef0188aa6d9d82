#include "app/connection_controller.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <memory>

#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "link/hidapi_backend.h"
#include "support/fake_hid_backend.h"
#include "support/fake_message_boxes.h"
#include "support/loopback_box.h"
#include "support/pump.h"
#include "support/recording_pauser.h"
#include "support/recording_transport.h"

namespace lumera {
namespace {

using test::FakeHidBackend;
using test::FakeHidState;
using test::LoopbackBox;
using test::PumpFor;
using test::PumpUntil;
using test::ReplyTo;

// One 64-byte report each way, no report ids: Usage Page (vendor), Usage,
// Collection, Logical 0..255, Report Size 8, Report Count 64, Input, Report
// Count 64, Output, End Collection.
const std::vector<uint8_t> kVendor64Descriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x95, 0x40, 0x09, 0x01, 0x91, 0x02, 0xC0};

constexpr uint16_t kVendor = 0x0416;

// Counts how often a widget goes from disabled to enabled.
class EnableCounter : public QObject {
 public:
  explicit EnableCounter(QWidget* w) : widget_(w) { w->installEventFilter(this); }
  int enabled = 0;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == widget_ && e->type() == QEvent::EnabledChange && widget_->isEnabled()) ++enabled;
    return false;
  }

 private:
  QWidget* widget_;
};

// What a reply handler saw: the receive buffer and the thread it ran on.
struct SeenReply {
  FrameBuffer rx;
  bool onUiThread;
};

class ConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    hid = std::make_shared<FakeHidState>();
    hid->descriptor = kVendor64Descriptor;
    auto backend = std::make_unique<FakeHidBackend>(hid);
    devices = backend.get();
    form->Connection().SetHidBackend(std::move(backend));
  }
  void TearDown() override {
    form.reset();
    qunsetenv("LUMERA_TCP_PORT");
  }

  BoxSession& Session() { return form->Session(); }
  ConnectionController& Connection() { return form->Connection(); }
  QPushButton* LinkBtn() { return form->LinkBtn(); }

  // Plugs in (or out) devices and lets the tool see the change.
  void Plug(std::vector<HidDeviceInfo> present) {
    devices->devices = std::move(present);
    Connection().HidCtlDeviceChange();
  }

  // Replies at step 990 are kept; the step machine stays where it is.
  void KeepIdentifyReplies(std::function<void()> also = {}) {
    form->Engine().Register(990, [this, also] {
      seen.push_back(
          {Session().RxBuffer, QThread::currentThread() == QApplication::instance()->thread()});
      if (also) also();
    });
  }

  // Every TCP test talks to 127.0.0.1 on the test box's port.
  void ChooseTcp(uint16_t port) {
    qputenv("LUMERA_TCP_PORT", QByteArray::number(port));
    form->IpEntry(0)->SetText(QStringLiteral("127.0.0.1"));
    form->RBTCP()->click();
    ASSERT_EQ(Connection().ConnectAddress(), QStringLiteral("127.0.0.1"));
  }

  // The box's reply report to a written output report: magic and the code.
  static std::vector<uint8_t> HidReplyTo(const std::vector<uint8_t>& written) {
    std::vector<uint8_t> reply(64, 0);
    WriteU32(reply.data(), ReplyMagic);
    WriteU32(reply.data() + 4, ReadU32(written.data() + 5));
    return reply;
  }
  static uint32_t WrittenCode(const std::vector<uint8_t>& written) {
    return ReadU32(written.data() + 5);
  }

  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  std::unique_ptr<TMainForm> form;
  std::shared_ptr<FakeHidState> hid;
  FakeHidBackend* devices = nullptr;
  std::vector<SeenReply> seen;
};

TEST_F(ConnectionTest, TheFirstBoxFoundEnablesConnectOnce) {
  EnableCounter counter(LinkBtn());
  Plug({{"/dev/hidraw0", 0x046D, 0xC077},
        {"/dev/hidraw1", kVendor, 0x1234},
        {"/dev/hidraw2", kVendor, 0xF003},
        {"/dev/hidraw3", kVendor, 0xFE02}});
  EXPECT_EQ(counter.enabled, 1);
  EXPECT_TRUE(LinkBtn()->isEnabled());
  EXPECT_EQ(Connection().RememberedProductId(), 0xF003);
  EXPECT_EQ(Session().LinkMode, LinkMode::Normal);

  Plug({{"/dev/hidraw0", 0x046D, 0xC077}});
  EXPECT_FALSE(LinkBtn()->isEnabled());
}

TEST_F(ConnectionTest, UsbConnectSendsIdentifyAsOneReportAndReadsTheReply) {
  KeepIdentifyReplies();
  Plug({{"/dev/hidraw4", kVendor, 0xF002}});
  LinkBtn()->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(LinkBtn()->text(), "Disconnect");
  EXPECT_TRUE(Session().Connected());
  EXPECT_EQ(Session().ConversationStep, 990u);
  EXPECT_TRUE(form->TmrStatus()->isActive());
  EXPECT_FALSE(form->RBTCP()->isEnabled());
  EXPECT_TRUE(Connection().HidReaderRunning());

  const auto writes = hid->Writes();
  ASSERT_EQ(writes.size(), 1u);
  ASSERT_EQ(writes[0].size(), 65u) << "report-id byte and the 64-byte output report";
  std::vector<uint8_t> identify(65, 0);
  identify[5] = 0x01;
  EXPECT_EQ(writes[0], identify);

  std::vector<uint8_t> reply = HidReplyTo(writes[0]);
  reply[8] = 1;
  hid->Queue(reply);
  ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
  EXPECT_TRUE(seen[0].onUiThread);
  EXPECT_EQ(seen[0].rx[0], 0) << "report id first";
  EXPECT_EQ(std::vector<uint8_t>(seen[0].rx.begin() + 1, seen[0].rx.begin() + 65), reply);

  LinkBtn()->click();
  EXPECT_EQ(LinkBtn()->text(), "Connect");
  EXPECT_FALSE(Session().Connected());
  EXPECT_FALSE(Connection().HidReaderRunning());
  EXPECT_FALSE(Connection().HidOpen());
  EXPECT_EQ(hid->openDevices, 0);
  EXPECT_TRUE(form->RBTCP()->isEnabled());
}

TEST_F(ConnectionTest, LoaderBoxesAreConnectedWithoutARequest) {
  const struct {
    uint16_t product;
    uint32_t mode;
    int loaderReplies;
  } cases[] = {{0xFE01, LinkMode::SecondLoader, 0}, {0xFE02, LinkMode::FirmwareLoader, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.product);
    int loaderReplies = 0;
    form->SetLoaderReplyHandler([&] { ++loaderReplies; });
    KeepIdentifyReplies();
    Plug({{"/dev/hidraw5", kVendor, c.product}});
    EXPECT_EQ(Session().LinkMode, c.mode);
    LinkBtn()->click();
    EXPECT_TRUE(Session().Connected());
    EXPECT_TRUE(hid->Writes().empty());
    EXPECT_FALSE(form->TmrStatus()->isActive());

    hid->Queue(std::vector<uint8_t>(64, 0x5A));
    ASSERT_TRUE(PumpUntil([&] { return hid->Drained(); }));
    PumpFor(10);
    EXPECT_EQ(loaderReplies, c.loaderReplies);
    EXPECT_TRUE(seen.empty());
    LinkBtn()->click();
    EXPECT_FALSE(Session().Connected());
  }
}

TEST_F(ConnectionTest, ADeviceChangeWhileUsbIsChosenTakesTheLinkDown) {
  Plug({{"/dev/hidraw6", kVendor, 0xF002}});
  LinkBtn()->click();
  ASSERT_TRUE(Session().Connected());
  form->SetPanelColour(form->InputPanel(2), kPanelInputColour);

  Plug({});
  EXPECT_FALSE(Session().Connected());
  EXPECT_EQ(LinkBtn()->text(), "Connect");
  EXPECT_FALSE(LinkBtn()->isEnabled());
  EXPECT_TRUE(form->RBTCP()->isEnabled());
  EXPECT_EQ(TMainForm::PanelColour(form->InputPanel(2)), kPanelIdleColour);
  EXPECT_FALSE(Connection().HidReaderRunning());
  EXPECT_EQ(hid->openDevices, 0);

  Plug({{"/dev/hidraw6", kVendor, 0xF002}});
  EXPECT_TRUE(LinkBtn()->isEnabled());
  LinkBtn()->click();
  EXPECT_TRUE(Session().Connected());
  EXPECT_EQ(hid->openDevices, 1);
}

TEST_F(ConnectionTest, ABoxPluggedInDuringATcpLinkLeavesItsReplyHandler) {
  ChooseTcp(test::ClosedLoopbackPort());
  Session().LinkMode = LinkMode::SecondFamily;
  Session().Set(LinkFlag::Connected);
  Plug({{"/dev/hidraw7", kVendor, 0xFE02}});
  EXPECT_EQ(Session().LinkMode, LinkMode::SecondFamily);
  EXPECT_TRUE(Session().Connected());
  EXPECT_TRUE(LinkBtn()->isEnabled());

  Session().Clear(LinkFlag::Connected);
  Plug({{"/dev/hidraw7", kVendor, 0xFE02}});
  EXPECT_EQ(Session().LinkMode, LinkMode::FirmwareLoader) << "set even with TCP chosen";
}

TEST_F(ConnectionTest, AFailedCheckOutIsReportedAndTheLinkStaysDown) {
  const struct {
    const char* name;
    bool failOpen;
    bool unplugBeforeConnect;
    std::vector<uint8_t> descriptor;
  } cases[] = {
      {"open refused", true, false, kVendor64Descriptor},
      {"gone before the click", false, true, kVendor64Descriptor},
      {"descriptor unreadable", false, false, {}},
      {"descriptor cut off", false, false, {0x75, 0x08, 0x96, 0x00}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages.shown.clear();
    hid->descriptor = c.descriptor;
    devices->failOpen = c.failOpen;
    Plug({{"/dev/hidraw8", kVendor, 0xF002}});
    if (c.unplugBeforeConnect) devices->devices.clear();
    LinkBtn()->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, "error");
    EXPECT_FALSE(messages.shown[0].text.isEmpty());
    EXPECT_EQ(LinkBtn()->text(), "Connect");
    EXPECT_FALSE(Session().Connected());
    EXPECT_FALSE(Connection().HidOpen());
    EXPECT_TRUE(hid->Writes().empty());
    EXPECT_TRUE(form->RBTCP()->isEnabled());
  }
}

TEST_F(ConnectionTest, ADisconnectWhileTheBoxRestartsSendsNothing) {
  Plug({{"/dev/hidraw9", kVendor, 0xF002}});
  LinkBtn()->click();
  ASSERT_TRUE(Session().Connected());
  hid->ClearWrites();
  Session().ModelByte = 0x12;
  Session().WindowCount = 2;
  Session().Set(LinkFlag::Restarting | LinkFlag::NetworkPending | LinkFlag::StatusOutstanding);
  LinkBtn()->click();
  EXPECT_TRUE(hid->Writes().empty());
  EXPECT_FALSE(Session().Connected());
  EXPECT_EQ(LinkBtn()->text(), "Connect");
}

TEST_F(ConnectionTest, ADisconnectTurnsOverlaysOffAndSendsTheNetworkLast) {
  Plug({{"/dev/hidraw10", kVendor, 0xF002}});
  LinkBtn()->click();
  ASSERT_TRUE(Session().Connected());
  form->TmrStatus()->stop();
  Session().ConversationStep = 0;
  Session().ModelByte = 0x12;
  Session().WindowCount = 2;
  Session().SelectedWindow = 1;
  Session().PendingNetwork = {10, 0, 0, 5, 255, 255, 255, 0, 10, 0, 0, 1};
  Session().Set(LinkFlag::NetworkPending);
  form->findChild<QRadioButton*>("RBSTATICIP")->setChecked(true);
  hid->ClearWrites();
  {
    std::lock_guard<std::mutex> lock(hid->mutex);
    hid->answer = HidReplyTo;
  }

  LinkBtn()->click();
  std::vector<uint32_t> codes;
  const auto writes = hid->Writes();
  for (const auto& w : writes) codes.push_back(WrittenCode(w));
  const std::vector<uint32_t> expected = {
      FrameCode::SelectWindow,  FrameCode::PatternSelect, FrameCode::WarpSelect,
      FrameCode::RegisterWrite, FrameCode::SelectWindow,  FrameCode::PatternSelect,
      FrameCode::WarpSelect,    FrameCode::RegisterWrite, FrameCode::SelectWindow,
      FrameCode::SendCommand,   FrameCode::SetNetwork};
  EXPECT_EQ(codes, expected);
  ASSERT_FALSE(writes.empty());
  const std::vector<uint8_t>& net = writes.back();
  EXPECT_EQ(net[9], 0) << "static address";
  EXPECT_EQ(std::vector<uint8_t>(net.begin() + 10, net.begin() + 22),
            std::vector<uint8_t>({10, 0, 0, 5, 255, 255, 255, 0, 10, 0, 0, 1}));
  EXPECT_EQ(Session().SelectedWindow, 0);
  EXPECT_EQ(Session().ConversationStep, 0u);
  EXPECT_FALSE(Session().Connected());
}

TEST_F(ConnectionTest, PendingNetworkFollowsTheDhcpChoiceOfTheBoxAtHand) {
  test::RecordingTransport sent;
  const struct {
    const char* name;
    uint32_t mode;
    const char* checked;
    const char* otherPanel;  // the opposite choice, which must not matter
    uint8_t dhcpByte;
    bool addresses;
  } cases[] = {
      {"DHCP", LinkMode::Normal, "RBDHCP", "RBSTATICIP1", 1, false},
      {"static", LinkMode::Normal, "RBSTATICIP", "RBDHCP1", 0, true},
      {"second family static", LinkMode::SecondFamily, "RBSTATICIP1", "RBDHCP", 0, true},
      {"second family DHCP", LinkMode::SecondFamily, "RBDHCP1", "RBSTATICIP", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form->findChild<QRadioButton*>(c.otherPanel)->setChecked(true);
    form->findChild<QRadioButton*>(c.checked)->setChecked(true);
    Session().LinkMode = c.mode;
    Session().ModelByte = 0;
    Session().LinkFlags = LinkFlag::Connected | LinkFlag::NetworkPending;
    Session().PendingNetwork = {192, 168, 1, 20, 255, 255, 0, 0, 192, 168, 1, 1};
    // Left over from the last exchange; none of it belongs in the frame.
    std::fill(Session().TxBuffer.begin(), Session().TxBuffer.end(), 0x77);
    form->Sender().SetTransport(&sent);
    sent.frames.clear();
    Connection().BeforeDisconnect();
    ASSERT_EQ(sent.frames.size(), 1u);
    std::vector<uint8_t> expected(512, 0);
    WriteU32(expected.data() + 4, FrameCode::SetNetwork);
    expected[8] = c.dhcpByte;
    if (c.addresses)
      std::copy(Session().PendingNetwork.begin(), Session().PendingNetwork.end(),
                expected.begin() + 9);
    EXPECT_EQ(sent.frames[0], expected);
  }
}

TEST_F(ConnectionTest, TcpConnectToAClosedPortReportsTheAddress) {
  ChooseTcp(test::ClosedLoopbackPort());
  EXPECT_TRUE(LinkBtn()->isEnabled());
  EXPECT_TRUE(form->IpEntry(0)->isEnabled());
  LinkBtn()->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "error");
  EXPECT_EQ(messages.shown[0].text, "Can't link to 127.0.0.1");
  EXPECT_EQ(LinkBtn()->text(), "Connect");
  EXPECT_FALSE(Session().Connected());
  EXPECT_FALSE(Connection().TcpOpen());
  EXPECT_FALSE(Connection().SocketReaderRunning());
  EXPECT_TRUE(form->RBUSB()->isEnabled());
}

TEST_F(ConnectionTest, TcpConnectSendsIdentifyAndRepliesReachTheUiThread) {
  LoopbackBox box([](const std::vector<uint8_t>& request) {
    std::vector<uint8_t> reply = ReplyTo(ReadU32(request.data() + 4));
    reply[8] = 1;
    return reply;
  });
  ChooseTcp(box.Port());
  KeepIdentifyReplies([this] { Session().ConversationStep = 0; });
  LinkBtn()->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(LinkBtn()->text(), "Disconnect");
  EXPECT_TRUE(Session().Connected());
  EXPECT_FALSE(form->RBUSB()->isEnabled());
  EXPECT_EQ(form->LinkTypeByte(), LinkType::Tcp);
  EXPECT_TRUE(form->TmrStatus()->isActive());
  EXPECT_TRUE(Connection().SocketReaderRunning());
  form->TmrStatus()->stop();

  ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
  EXPECT_TRUE(seen[0].onUiThread);
  EXPECT_EQ(ReadU32(seen[0].rx.data() + 5), FrameCode::Identify);
  EXPECT_EQ(seen[0].rx[9], 1);
  std::vector<uint8_t> identify(512, 0);
  identify[4] = 0x01;
  ASSERT_EQ(box.Requests().size(), 1u);
  EXPECT_EQ(box.Requests()[0], identify);

  form->Builders().SendSelectWindow(1);
  form->Builders().SendPattern(2);
  ASSERT_TRUE(PumpUntil([&] { return box.Requests().size() == 3; }));
  EXPECT_EQ(box.BytesReceived(), 3u * 512);

  LinkBtn()->click();
  EXPECT_EQ(LinkBtn()->text(), "Connect");
  EXPECT_FALSE(Session().Connected());
  EXPECT_FALSE(Connection().SocketReaderRunning());
  EXPECT_FALSE(Connection().TcpOpen());
  EXPECT_TRUE(form->RBUSB()->isEnabled());
  EXPECT_TRUE(PumpUntil([&] { return box.PeerClosed(); }));
}

TEST_F(ConnectionTest, AShortReplyReadsZeroPastItsEnd) {
  LoopbackBox box([](const std::vector<uint8_t>& request) {
    std::vector<uint8_t> reply = ReplyTo(ReadU32(request.data() + 4));
    std::fill(reply.begin() + 8, reply.end(), 0xEE);
    return reply;
  });
  ChooseTcp(box.Port());
  KeepIdentifyReplies();
  LinkBtn()->click();
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 1; }));
  std::vector<uint8_t> fwEnd = ReplyTo(FrameCode::FwMainEnd, 10);
  fwEnd[8] = 0xCD;
  fwEnd[9] = 0xAB;
  box.SendRaw(fwEnd);
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 2; }));
  const FrameBuffer& rx = seen[1].rx;
  EXPECT_EQ(rx[0], 0);
  EXPECT_EQ(std::vector<uint8_t>(rx.begin() + 1, rx.begin() + 11), fwEnd);
  EXPECT_TRUE(std::all_of(rx.begin() + 11, rx.end(), [](uint8_t b) { return b == 0; }));
}

// The Identify reply decides the family of a TCP peer; the mode then lasts
// past the disconnect.
TEST_F(ConnectionTest, TcpIdentifyDecidesTheLinkModeWhichOutlastsTheDisconnect) {
  LoopbackBox box([](const std::vector<uint8_t>& request) {
    const uint32_t code = ReadU32(request.data() + 4);
    std::vector<uint8_t> reply = ReplyTo(code, 56);
    if (code == FrameCode::Identify) {
      reply[8] = 1;
      reply[20] = 0x77;
      reply[21] = 0x88;
    }
    return reply;
  });
  ChooseTcp(box.Port());
  Session().LinkMode = LinkMode::FirmwareLoader;  // left from a USB loader session
  int secondFamilyReplies = 0;
  form->SetSecondFamilyReplyHandler([&] { ++secondFamilyReplies; });
  LinkBtn()->click();
  ASSERT_TRUE(PumpUntil([&] { return Session().LinkMode == LinkMode::SecondFamily; }));
  ASSERT_TRUE(PumpUntil([&] { return secondFamilyReplies == 1; })) << "ReadSystemInfo's reply";
  // The second family's status reply is whole at 56 bytes.
  Session().ConversationStep = 0;
  form->Sender().SendRequest(FrameCode::ReadStatus);
  ASSERT_TRUE(PumpUntil([&] { return secondFamilyReplies == 2; }));
  LinkBtn()->click();
  EXPECT_FALSE(Session().Connected());
  EXPECT_EQ(Session().LinkMode, LinkMode::SecondFamily);
}

TEST_F(ConnectionTest, ANormalBoxIsReadAfterASecondFamilySession) {
  LoopbackBox box([](const std::vector<uint8_t>& request) {
    const uint32_t code = ReadU32(request.data() + 4);
    std::vector<uint8_t> reply = ReplyTo(code);
    if (code == FrameCode::Identify) reply[8] = 1;
    return reply;
  });
  ChooseTcp(box.Port());
  Session().LinkMode = LinkMode::SecondFamily;
  int secondFamilyReplies = 0;
  form->SetSecondFamilyReplyHandler([&] { ++secondFamilyReplies; });
  LinkBtn()->click();
  ASSERT_TRUE(PumpUntil([&] { return Session().ConversationStep == 1000; }));
  EXPECT_EQ(Session().LinkMode, LinkMode::Normal);
  EXPECT_EQ(secondFamilyReplies, 0);
}

TEST_F(ConnectionTest, ADisconnectDoesNotWaitForeverForABoxThatStoppedAnswering) {
  LoopbackBox box([](const std::vector<uint8_t>& request) {
    const uint32_t code = ReadU32(request.data() + 4);
    return code == FrameCode::Identify ? ReplyTo(code) : std::vector<uint8_t>{};
  });
  ChooseTcp(box.Port());
  KeepIdentifyReplies([this] { Session().ConversationStep = 0; });
  LinkBtn()->click();
  ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
  form->TmrStatus()->stop();
  Connection().SetDisconnectWaitMs(100);
  Session().ModelByte = 0x22;
  Session().WindowCount = 1;
  Session().Set(LinkFlag::NetworkPending | LinkFlag::StatusOutstanding);
  LinkBtn()->click();
  EXPECT_FALSE(Session().Connected());
  EXPECT_EQ(Session().ConversationStep, 0u);
  ASSERT_TRUE(PumpUntil([&] { return box.PeerClosed(); }));
  const auto requests = box.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(ReadU32(requests[1].data() + 4), FrameCode::SelectWindow);
  EXPECT_EQ(ReadU32(requests[2].data() + 4), FrameCode::SetNetwork);
}

TEST_F(ConnectionTest, ReplyHandlersMayEndTheLinkTheyAreHandedOverFrom) {
  const struct {
    const char* name;
    std::function<void(TMainForm&)> end;
  } cases[] = {
      {"disconnect", [](TMainForm& f) { f.RequestDisconnect(); }},
      {"window closed", [](TMainForm& f) { f.close(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackBox box(
        [](const std::vector<uint8_t>& request) { return ReplyTo(ReadU32(request.data() + 4)); });
    ChooseTcp(box.Port());
    seen.clear();
    KeepIdentifyReplies([&] { c.end(*form); });
    LinkBtn()->click();
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
    EXPECT_FALSE(Connection().SocketReaderRunning());
    EXPECT_FALSE(Connection().TcpOpen());
    EXPECT_TRUE(PumpUntil([&] { return box.PeerClosed(); }));
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
  }
}

TEST_F(ConnectionTest, ClosingTheWindowEndsBothReaders) {
  Plug({{"/dev/hidraw11", kVendor, 0xF002}});
  LinkBtn()->click();
  ASSERT_TRUE(Connection().HidReaderRunning());
  form->close();
  EXPECT_FALSE(Connection().HidReaderRunning());
  EXPECT_EQ(hid->openDevices, 0);
}

TEST(HidrawPathTest, DescriptorFileOfAHidrawNode) {
  EXPECT_EQ(HidrawDescriptorPath("/dev/hidraw3"),
            "/sys/class/hidraw/hidraw3/device/report_descriptor");
  for (const char* bad : {"/dev/hidraw", "/dev/hidraw1/../../x", "/dev/sda", "hidraw2", ""})
    EXPECT_EQ(HidrawDescriptorPath(bad), "") << bad;
}

}  // namespace
}  // namespace lumera
