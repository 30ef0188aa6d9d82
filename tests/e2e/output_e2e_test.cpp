#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "app/main_form.h"
#include "app/radio_group.h"
#include "app/scroll_bar.h"
#include "conversation/info_page.h"
#include "pages/cus_output_dialog.h"
#include "pages/output_page.h"
#include "pages/timing_table.h"
#include "support/boxsim_process.h"
#include "support/fake_message_boxes.h"
#include "support/pumped_link.h"
#include "support/recording_pauser.h"

namespace lumera {
namespace {

using test::PumpedLink;

class OutputE2eTest : public ::testing::Test {
 protected:
  void Start(const char* model) {
    if (test::BoxsimProcess::Path().empty()) GTEST_SKIP() << "LUMERA_BOXSIM is not set";
    std::string error;
    ASSERT_TRUE(box.Start({"--model", model}, &error)) << error;
    ASSERT_TRUE(link.Connect(box.Port()));
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->Sender().SetTransport(&link);
    form->PCMain()->setCurrentIndex(kPageOutput);
    S().LinkFlags |= LinkFlag::Connected;
    S().ConversationStep = 990;
    form->Sender().SendRequest(FrameCode::Identify);
    ASSERT_TRUE(link.Pump(*form));
    ASSERT_EQ(S().ConversationStep, 0u);
    page = dynamic_cast<OutputPage*>(form->PageHandler(kPageOutput));
    ASSERT_NE(page, nullptr);
  }
  BoxSession& S() { return form->Session(); }
  // The simulator's setup entry of the selected window, as it reports it.
  std::vector<uint8_t> BoxSetup() {
    form->Sender().SendRequest(FrameCode::ReadSystemInfo);
    EXPECT_TRUE(link.Pump(*form));
    const auto at = link.last.begin() + 48 + 32 * S().SelectedWindow;
    return {at, at + 32};
  }
  // Every button of the family's group switches the simulator's output to
  // the button's timing, and the image follows.
  void ExpectEveryButtonReachesTheBox(const std::vector<QToolButton*>& buttons) {
    for (QToolButton* b : buttons) {
      SCOPED_TRACE(b->objectName().toStdString());
      const std::optional<uint8_t> code =
          TimingCodeOfTag(S().ModelByte, b->property("Tag").toUInt());
      if (!code) continue;  // no code is known for this timing
      ASSERT_TRUE(b->isVisibleTo(form->PageWidget(kPageOutput)));
      b->click();
      EXPECT_EQ(S().Image.WindowSetup.Entry(S().SelectedWindow)[5], *code);
      EXPECT_EQ(BoxSetup()[5], *code);
    }
  }
  void Click(QAbstractButton* b) {
    b->click();
    ASSERT_TRUE(link.Pump(*form));
  }

  test::BoxsimProcess box;
  PumpedLink link;
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  std::unique_ptr<TMainForm> form;
  OutputPage* page = nullptr;
};

TEST_F(OutputE2eTest, FamilyUButtonsAndOutputSettings) {
  Start("0x14");
  ASSERT_EQ(S().ModelByte, 0x14);
  ExpectEveryButtonReachesTheBox({page->UOutButtons().begin(), page->UOutButtons().end()});

  Click(page->RGHDCPOutput()->Button(1));
  Click(page->CBDeepColor());
  auto setup = BoxSetup();
  EXPECT_EQ(setup[6], 1);
  EXPECT_EQ(setup[7], 1);

  // 3D output: the box rebuilds, the wall re-read runs and frees the window.
  page->RB3DOutput()->Button(2)->click();
  EXPECT_TRUE(form->Busy());
  ASSERT_TRUE(link.Pump(*form));
  EXPECT_FALSE(form->Busy());
  EXPECT_EQ(S().ConversationStep, 0u);
  EXPECT_EQ(pauser.pauses, std::vector<uint32_t>{5000});
  EXPECT_EQ(BoxSetup()[15], 2);
  EXPECT_EQ(page->RB3DOutput()->ItemIndex(), 2);  // the page was loaded again
}

TEST_F(OutputE2eTest, FamilyMButtons) {
  Start("0x24");
  ExpectEveryButtonReachesTheBox({page->MOutButtons().begin(), page->MOutButtons().end()});
}

TEST_F(OutputE2eTest, FamilyGButtonsAndTheCustomisedTiming) {
  Start("0x02");
  ExpectEveryButtonReachesTheBox({page->GOutButtons().begin(), page->GOutButtons().begin() + 17});

  form->CusOutput()->SetModalRunner([this](TCusOutput& d) {
    d.SBCusWidth()->UserMove({1923});
    EXPECT_TRUE(link.Pump(*form));
    d.SBCusHeight()->UserMove({1200});
    EXPECT_TRUE(link.Pump(*form));
    d.CBRate()->setCurrentIndex(2);
    emit d.CBRate()->activated(2);
    EXPECT_TRUE(link.Pump(*form));
    d.TntButton1()->click();
    return d.result();
  });
  Click(page->GOutbtnCus());
  const auto setup = BoxSetup();
  EXPECT_EQ(setup[5], 36);
  EXPECT_EQ(ReadU16(setup.data() + 8), 1920);
  EXPECT_EQ(ReadU16(setup.data() + 10), 1200);
  EXPECT_EQ(setup[12], 50);
  EXPECT_EQ(page->STCusRes()->text(), "1920*1200@50");

  // The next status poll and the Information page (which takes the status
  // over into the image) keep the customised timing.
  form->TmrStatusTimer();
  ASSERT_TRUE(link.Pump(*form));
  form->PCMain()->setCurrentIndex(kPageInformation);
  ASSERT_TRUE(link.Pump(*form));
  form->PCMain()->setCurrentIndex(kPageOutput);
  ASSERT_TRUE(link.Pump(*form));
  EXPECT_TRUE(page->GOutbtnCus()->isChecked());
}

TEST_F(OutputE2eTest, InformationShowsTheStatusOfTheBox) {
  Start("0x14");
  form->TmrStatusTimer();
  ASSERT_TRUE(link.Pump(*form));
  auto* info = dynamic_cast<InfoPage*>(form->PageHandler(kPageInformation));
  ASSERT_NE(info, nullptr);
  form->PCMain()->setCurrentIndex(kPageInformation);
  ASSERT_TRUE(link.Pump(*form));

  const uint8_t code = S().Image.WindowSetup.Entry(S().SelectedWindow)[5];
  std::string expected = TimingCaption(S().ModelByte, FindTimingButton(S().ModelByte, code));
  if (expected.find('@') == std::string::npos) expected += "@60";
  ASSERT_NE(S().Image.OutputStatus.Entry(S().SelectedWindow)[4], 0);
  EXPECT_EQ(info->ResText(0)->text().toStdString(), expected);
  EXPECT_EQ(info->ResText(1)->text(), "1920x1080   67kHz/60Hz");
  EXPECT_EQ(info->DetailText(1)->text(), "RGB444/8 bits");

  form->WindowButton(1)->click();
  ASSERT_TRUE(link.Pump(*form));
  EXPECT_EQ(S().SelectedWindow, 1);
  EXPECT_EQ(info->ResText(1)->text(), "3840x2160   67kHz/30Hz");
  EXPECT_EQ(info->DetailText(1)->text(), "HDR/HDCP/YUV420/10 bits");
}

}  // namespace
}  // namespace lumera
