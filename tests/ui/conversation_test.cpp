#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "app/main_form.h"
#include "conversation/reply_watchdog.h"
#include "conversation/status_evaluation.h"
#include "dialogs/wait_form.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"
#include "support/recording_transport.h"
#include "support/scripted_box.h"

namespace lumera {
namespace {

class ConversationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->Sender().SetTransport(&transport);
    // A page without a show handler keeps the chains' own frames apart.
    form->PCMain()->setCurrentIndex(kPageFirmware);
    S().LinkFlags = LinkFlag::Connected;
  }
  BoxSession& S() { return form->Session(); }

  void Deliver(const std::vector<uint8_t>& reply) {
    form->DispatchReply(reply.data(), reply.size(), false);
  }
  // Answers every request not yet answered, in order, until the tool stops
  // asking or a step is reached (bounded).
  void RunBox(uint32_t stopAtStep = UINT32_MAX) {
    for (int guard = 0; guard < 200 && answered < transport.frames.size(); ++guard) {
      if (S().ConversationStep == stopAtStep) return;
      Deliver(box.Answer(transport.frames[answered++]));
    }
  }
  void Connect() {
    S().ConversationStep = 990;
    form->Sender().SendRequest(FrameCode::Identify);
  }
  std::vector<uint32_t> CodesFrom(std::size_t first) const {
    const auto all = transport.Codes();
    return {all.begin() + static_cast<long>(first), all.end()};
  }

  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  test::RecordingTransport transport;
  test::ScriptedBox box;
  std::unique_ptr<TMainForm> form;
  std::size_t answered = 0;
};

TEST_F(ConversationTest, FullReadOfAWarpModelIsTwentyFiveExchangesInOrder) {
  box.model = 0x14;
  box.selectedWindow = 2;
  Connect();
  RunBox(2038);  // the status re-read that may follow is not part of the read

  using namespace FrameCode;
  const std::vector<uint32_t> expected = {
      Identify,         ReadSystemInfo, ReadInputInfo,  ReadPicture,    ReadWall,
      ReadSubWindows,   ReadEdid,       ReadBlendEdges, ReadBlendGamma, ReadBlackLevel,
      ReadCornerPoints, ReadMaskPoints, ReadWarpGrid,   ReadWarpGrid,   ReadWarpGrid,
      ReadWarpGrid,     ReadWarpGrid,   ReadWarpGrid,   ReadWarpGrid,   ReadWarpGrid,
      ReadWarpExtras,   ReadRawGrid,    ReadRawGrid,    ReadRawGrid,    ReadRawGrid};
  const auto codes = transport.Codes();
  ASSERT_GE(codes.size(), expected.size());
  EXPECT_EQ(std::vector<uint32_t>(codes.begin(), codes.begin() + 25), expected);
  for (unsigned h = 0; h < 8; ++h) {
    const auto& f = transport.frames[12 + h];
    EXPECT_EQ(ReadU16(f.data() + 8), h / 2) << h;
    EXPECT_EQ(ReadU16(f.data() + 10), (h % 2) * 85) << h;
  }
  for (unsigned w = 0; w < 4; ++w) EXPECT_EQ(ReadU32(transport.frames[21 + w].data() + 8), w);

  // The image holds each reply's bytes at the block's place.
  const auto picture = box.Answer(transport.frames[3]);
  EXPECT_EQ(std::vector<uint8_t>(S().Image.PictureSettings.bytes.begin(),
                                 S().Image.PictureSettings.bytes.end()),
            std::vector<uint8_t>(picture.begin() + 8, picture.begin() + 56));
  const auto lastHalf = box.Answer(transport.frames[19]);
  EXPECT_EQ(std::memcmp(S().Image.WarpGrid.Entry(3) + 340, lastHalf.data() + 12, 340), 0);
  const auto extras = box.Answer(transport.frames[20]);
  EXPECT_EQ(std::memcmp(S().Image.WarpCurve.Data(), extras.data() + 76, 192), 0);
  EXPECT_EQ(S().Image.RawGridInfo.bytes, (std::array<uint8_t, 4>{3, 3, 3, 3}));
  EXPECT_EQ(S().Image.CornerModeFlag.bytes, (std::array<uint8_t, 4>{}));
  EXPECT_EQ(S().SelectedWindow, 2);
  EXPECT_EQ(S().WindowCount, 4);
  EXPECT_TRUE(form->WindowButton(2)->isChecked());
  EXPECT_EQ(form->findChild<QLabel*>("STMainVer")->text(), "V32.1");
  EXPECT_EQ(form->findChild<QLabel*>("STMCUVer")->text(), "V32M221109");
}

TEST_F(ConversationTest, ModelWithoutWarpEndsAfterEdidWithThreeWindowButtons) {
  box.model = 0x03;
  Connect();
  RunBox(2038);
  const auto codes = transport.Codes();
  ASSERT_GE(codes.size(), 7u);
  EXPECT_EQ(codes[6], FrameCode::ReadEdid);
  for (std::size_t i = 7; i < codes.size(); ++i)
    EXPECT_EQ(codes[i], FrameCode::ReadSystemInfo) << "only a status re-read may follow";
  EXPECT_TRUE(form->WindowButton(2)->isEnabled());
  EXPECT_FALSE(form->WindowButton(3)->isEnabled());
  auto* frame = form->findChild<QGroupBox*>("BtnFrame");
  EXPECT_EQ(frame->height(), form->WindowButton(2)->geometry().bottom() + 1 + 6);
  EXPECT_FALSE(form->PCMain()->isTabVisible(kPageWarpAdjust));
  EXPECT_FALSE(form->PCMain()->isTabVisible(kPageBlend1));
}

TEST_F(ConversationTest, StatusReplyDuringTheReadLeavesTheStep) {
  Connect();
  RunBox(1003);
  const std::size_t sent = transport.frames.size();
  // A status that reports no change: the masks already know it.
  auto status = test::ScriptedBox::Frame(FrameCode::ReadStatus);
  std::memcpy(status.data() + 8, S().Image.InputInfo.Data(), 128);
  std::memcpy(status.data() + 136, S().Image.WindowSetup.Data(), 128);
  status[8] = 1;  // input 1 has a signal
  std::memcpy(S().Image.InputStatus.Data(), status.data() + 8, 128);
  std::memcpy(S().Image.OutputStatus.Data(), status.data() + 136, 128);
  EvaluateStatus(S());
  Deliver(status);
  EXPECT_EQ(S().ConversationStep, 1003u);
  EXPECT_EQ(S().Image.InputStatus.bytes[0], 1);
  EXPECT_EQ(TMainForm::PanelColour(form->InputPanel(0)), kPanelInputColour);
  EXPECT_EQ(transport.frames.size(), sent);
  RunBox(1006);
  EXPECT_EQ(S().ConversationStep, 1006u);
}

TEST_F(ConversationTest, WrongMagicIsIgnoredEntirely) {
  form->ShowDiagnostics();
  Connect();
  RunBox(1002);
  const QString flag = form->STFlag()->text();
  const QString status = form->STStatus()->text();
  auto reply = box.Answer(transport.frames.back());
  WriteU32(reply.data(), 0x0D67);
  Deliver(reply);
  EXPECT_EQ(S().ConversationStep, 1002u);
  EXPECT_EQ(form->STFlag()->text(), flag);
  EXPECT_EQ(form->STStatus()->text(), status);
}

TEST_F(ConversationTest, VersionGate) {
  box.version = 220921;
  Connect();
  RunBox();
  EXPECT_EQ(S().ConversationStep, 0u);
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().kind, "error");
  EXPECT_EQ(messages.shown.back().text, "Firmware version is too old!!");
  for (int i = 0; i <= kPageInformation; ++i) EXPECT_FALSE(form->PCMain()->isTabVisible(i)) << i;
  EXPECT_TRUE(form->PCMain()->isTabVisible(kPageFirmware));
  EXPECT_TRUE(S().Connected());
  EXPECT_EQ(transport.frames.size(), 2u);

  SetUp();
  box.version = 220922;
  messages.shown.clear();
  answered = 0;
  transport.frames.clear();
  Connect();
  RunBox(1001);
  EXPECT_EQ(S().ConversationStep, 1001u);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(form->PCMain()->isTabVisible(kPagePicture));
}

TEST_F(ConversationTest, SubWindowColourOnlyFromBoxesNewerThan210627) {
  for (uint32_t version : {210627u, 210628u}) {
    SetUp();
    answered = 0;
    transport.frames.clear();
    box.version = version;
    S().Image.SubWindowColour.bytes.fill(0xAB);
    S().ConversationStep = 1004;
    form->Sender().SendRequest(FrameCode::ReadSubWindows);
    S().VersionNumber = version;
    RunBox(1005);
    const auto reply = box.Answer(transport.frames[0]);
    const bool stored = std::memcmp(S().Image.SubWindowColour.Data(), reply.data() + 224, 96) == 0;
    EXPECT_EQ(stored, version == 210628u) << version;
    EXPECT_EQ(S().Image.SubWindowColour.bytes[0], version == 210627u ? 0xAB : reply[224]);
  }
}

TEST_F(ConversationTest, FamilyMAlwaysResetsTheSubWindowColours) {
  S().ModelByte = 0x24;
  S().VersionNumber = 221109;
  S().ConversationStep = 2041;
  Deliver(box.Answer(test::ScriptedBox::Frame(FrameCode::ReadSubWindows)));
  for (unsigned w = 0; w < 4; ++w)
    for (unsigned s = 0; s < 3; ++s) {
      const uint8_t* e = S().Image.SubWindowColour.Entry(w) + 8 * s;
      EXPECT_EQ(std::vector<uint8_t>(e, e + 5), (std::vector<uint8_t>{50, 75, 255, 255, 255}));
    }
}

TEST_F(ConversationTest, PatternsOffOnATwoWindowBox) {
  S().ModelByte = 0x12;
  S().WindowCount = 2;
  S().SelectedWindow = 0;
  S().ConversationStep = 2025;
  form->Builders().SendSelectWindow(0);
  RunBox();
  using namespace FrameCode;
  EXPECT_EQ(
      transport.Codes(),
      (std::vector<uint32_t>{SelectWindow, PatternSelect, WarpSelect, RegisterWrite, SelectWindow,
                             PatternSelect, WarpSelect, RegisterWrite, SelectWindow, SendCommand}));
  EXPECT_EQ(transport.frames[4][8], 1);
  EXPECT_EQ(transport.frames[8][8], 0);
  EXPECT_EQ(transport.Command(9), "s00EBC+001\r\n");
  EXPECT_EQ(ReadU16(transport.frames[2].data() + 10), 0xFFFF);
  EXPECT_EQ(transport.frames[7][8], 1) << "the marker of window 1 goes to window 1";
  EXPECT_EQ(S().SelectedWindow, 0);
  EXPECT_EQ(S().ConversationStep, 0u);
}

TEST_F(ConversationTest, StatusPollWaitsForAnIdleStepMachine) {
  S().ConversationStep = 1003;
  form->TmrStatus()->start();
  form->TmrStatusTimer();
  form->TmrStatusTimer();
  EXPECT_TRUE(transport.frames.empty());
  EXPECT_TRUE(form->TmrStatus()->isActive());
  S().ConversationStep = 0;
  form->TmrStatusTimer();
  ASSERT_EQ(transport.Codes(), std::vector<uint32_t>{FrameCode::ReadStatus});
  EXPECT_FALSE(form->TmrStatus()->isActive());
  EXPECT_TRUE(S().Has(LinkFlag::StatusOutstanding));
  Deliver(test::ScriptedBox::Frame(FrameCode::ReadStatus));
  EXPECT_FALSE(S().Has(LinkFlag::StatusOutstanding));
  EXPECT_TRUE(form->TmrStatus()->isActive());
}

// A status that matches the image and the last status.
std::vector<uint8_t> SteadyStatus(const BoxSession& s) {
  auto f = test::ScriptedBox::Frame(FrameCode::ReadStatus);
  std::memcpy(f.data() + 8, s.Image.InputInfo.Data(), 128);
  std::memcpy(f.data() + 136, s.Image.WindowSetup.Data(), 128);
  return f;
}

TEST_F(ConversationTest, SteadyStatusClosesTheWaitDialogAndSendsNothing) {
  S().Image.InputInfo.bytes[0] = 1;
  S().InputPresentMask = 1;
  S().OutputMask = 0;
  form->ShowWaitDialog(4000);
  ASSERT_TRUE(form->WaitForm()->isVisible());
  EXPECT_FALSE(form->isEnabled());
  Deliver(SteadyStatus(S()));
  EXPECT_TRUE(transport.frames.empty());
  EXPECT_FALSE(form->WaitForm()->isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_FALSE(S().Has(LinkFlag::WaitShown));
}

TEST_F(ConversationTest, LostSignalGreysThePanelAndRereadsOnce) {
  S().Image.InputInfo.bytes[0] = 1;
  auto withSignal = SteadyStatus(S());
  withSignal[8] = 1;
  Deliver(withSignal);  // the first status is remembered (and is a change)
  answered = transport.frames.size();
  S().ConversationStep = 0;
  Deliver(withSignal);
  EXPECT_EQ(transport.frames.size(), answered) << "nothing changed";

  auto lost = withSignal;
  lost[8] = 0;
  Deliver(lost);
  EXPECT_EQ(TMainForm::PanelColour(form->InputPanel(0)), kPanelIdleColour);
  ASSERT_EQ(CodesFrom(answered), std::vector<uint32_t>{FrameCode::ReadSystemInfo});
  EXPECT_EQ(S().ConversationStep, 2038u);
  const std::size_t reread = answered;
  RunBox();
  using namespace FrameCode;
  EXPECT_EQ(CodesFrom(reread), (std::vector<uint32_t>{ReadSystemInfo, ReadWall, ReadInputInfo,
                                                      ReadSubWindows, ReadPicture}));
  EXPECT_EQ(S().ConversationStep, 0u);
  const std::size_t after = transport.frames.size();
  Deliver(lost);
  Deliver(lost);
  EXPECT_GE(transport.frames.size(), after);
}

TEST_F(ConversationTest, VariantWithoutBlendOneRenamesTheWarpPages) {
  box.model = 0x14;
  box.versionText = "V32L7";
  Connect();
  RunBox(1001);
  EXPECT_FALSE(form->PCMain()->isTabVisible(kPageBlend1));
  EXPECT_EQ(form->PCMain()->tabText(kPageWarpAdjust), "Warp Adjust 1");
  EXPECT_EQ(form->PCMain()->tabText(kPageBlend2), "Warp Adjust 2");
  EXPECT_TRUE(S().Has(LinkFlag::NoBlend1));
}

TEST_F(ConversationTest, UntrustedIdentificationStaysInsideTheBlocks) {
  box.model = 0x10;  // no windows
  box.selectedWindow = 9;
  box.rawGridCount = 250;
  Connect();
  RunBox(2038);
  EXPECT_EQ(S().SelectedWindow, 0);
  EXPECT_EQ(S().WindowCount, 1);
  EXPECT_FALSE(form->WindowButton(1)->isEnabled());
  EXPECT_TRUE(form->WindowButton(0)->isChecked());
  EXPECT_EQ(S().Image.RawGridInfo.bytes[0], 100);

  SetUp();
  answered = 0;
  transport.frames.clear();
  box.model = 0x1F;
  Connect();
  RunBox(2038);
  EXPECT_EQ(S().WindowCount, 4);
}

TEST_F(ConversationTest, WatchdogEndsALostChainAndPollingGoesOn) {
  Connect();
  RunBox(1004);
  ASSERT_TRUE(form->Watchdog()->Armed());
  form->SetBusy(true);
  form->ShowWaitDialog(4000);
  form->Watchdog()->Expire();
  EXPECT_EQ(S().ConversationStep, 0u);
  EXPECT_TRUE(form->isEnabled());
  EXPECT_FALSE(form->Busy());
  EXPECT_FALSE(form->WaitForm()->isVisible());
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(form->TmrStatus()->isActive());
  const std::size_t sent = transport.frames.size();
  form->TmrStatusTimer();
  ASSERT_EQ(transport.frames.size(), sent + 1);
  EXPECT_EQ(transport.Code(sent), FrameCode::ReadStatus);

  // A lost status reply re-arms the poll without a message.
  form->Watchdog()->Expire();
  EXPECT_FALSE(S().Has(LinkFlag::StatusOutstanding));
  EXPECT_TRUE(form->TmrStatus()->isActive());
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ConversationTest, RepliesUnderTheWaitDialogPauseAndAdvanceTheBar) {
  Connect();
  form->ShowWaitDialog(4000);
  const int before = form->WaitForm()->PBProgress()->value();
  RunBox(1002);
  // Identify, ReadSystemInfo and ReadInputInfo were answered.
  EXPECT_EQ(form->WaitForm()->PBProgress()->value(), before + 3);
  EXPECT_EQ(pauser.pauses, (std::vector<uint32_t>{300, 300, 300}));
}

}  // namespace
}  // namespace lumera
