#include "app/main_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "app/ip_address_edit.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"

namespace lumera {
namespace {

class MainFormTest : public ::testing::Test {
 protected:
  std::unique_ptr<TMainForm> Make(std::vector<std::string> args = {}) {
    return std::make_unique<TMainForm>(args, messages, pauser);
  }
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
};

TEST_F(MainFormTest, StartsAtTheFixedSizeWithTheVersionCaption) {
  auto form = Make();
  form->show();
  EXPECT_EQ(form->size(), QSize(858, 600));
  EXPECT_TRUE(form->windowTitle().startsWith("Lumera Control Tool  V1.32."));
  EXPECT_EQ(form->windowTitle().size(), QString("Lumera Control Tool  V1.32.").size() + 6);
  form->resize(400, 300);
  QApplication::processEvents();
  EXPECT_EQ(form->size(), QSize(858, 600));
  form->Session().LinkMode = LinkMode::SecondFamily;
  form->FormResize();
  form->resize(900, 700);
  QApplication::processEvents();
  EXPECT_EQ(form->size(), QSize(form->findChild<QWidget*>("BtnFrame")->x() + 2, 600));
}

TEST_F(MainFormTest, ThirteenPagesWithAboutNeverReachable) {
  auto form = Make();
  QTabWidget* pc = form->PCMain();
  ASSERT_EQ(pc->count(), 13);
  const char* names[] = {"TabPicture",    "TabVideoWall", "TCPIP",     "TabPIP",  "TabOutput",
                         "TABWarpAdjust", "TabBlend1",    "TabBlend2", "TABEDID", "TabSystem",
                         "TBInfo",        "TabFirmware",  "TabAbout"};
  const char* captions[] = {"Picture", "Video Wall",  "PIP Setting", "Sub Win Setting",
                            "Output",  "Warp Adjust", "Blend 1",     "Blend 2",
                            "EDID",    "System",      "Information", "Firmware Update",
                            "About"};
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(pc->widget(i)->objectName(), names[i]);
    EXPECT_EQ(pc->tabText(i), captions[i]);
  }
  EXPECT_FALSE(pc->isTabVisible(12));
  EXPECT_FALSE(pc->isTabEnabled(12));
  EXPECT_EQ(pc->currentIndex(), 0);
}

TEST_F(MainFormTest, StartUpControls) {
  auto form = Make();
  EXPECT_TRUE(form->findChild<QRadioButton*>("RBUSB")->isChecked());
  EXPECT_FALSE(form->findChild<QPushButton*>("LinkBtn")->isEnabled());
  EXPECT_EQ(form->findChild<QPushButton*>("LinkBtn")->text(), "Connect");
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(form->WindowButton(i)->isEnabled());
    EXPECT_EQ(form->WindowButton(i)->isChecked(), i == 0);
    EXPECT_EQ(TMainForm::PanelColour(form->InputPanel(i)), kPanelIdleColour);
    EXPECT_EQ(TMainForm::PanelColour(form->OutputPanel(i)), kPanelIdleColour);
  }
  EXPECT_FALSE(form->STStatus()->isVisibleTo(form.get()));
  EXPECT_FALSE(form->findChild<QGroupBox*>("GBDebug")->isVisibleTo(form.get()));

  const struct {
    const char* name;
    const char* text;
    bool enabled;
    int width;
  } entries[] = {
      {"IPEdit", "192.168.0.100", false, 220},       {"IPEditNet", "192.168.0.100", true, 180},
      {"MaskEditNet", "255.255.255.0", true, 180},   {"GatewayEditNet", "192.168.0.1", true, 180},
      {"IPEditNet2", "192.168.0.100", true, 180},    {"MaskEditNet2", "255.255.255.0", true, 180},
      {"GatewayEditNet2", "192.168.0.1", true, 180},
  };
  for (const auto& e : entries) {
    auto* ip = form->findChild<TIpAddressEdit*>(e.name);
    ASSERT_NE(ip, nullptr) << e.name;
    EXPECT_EQ(ip->Text(), e.text) << e.name;
    EXPECT_EQ(ip->isEnabled(), e.enabled) << e.name;
    EXPECT_EQ(ip->width(), e.width) << e.name;
    EXPECT_EQ(ip->height(), 24) << e.name;
  }
  auto* rbTcp = form->findChild<QRadioButton*>("RBTCP");
  auto* ip = form->findChild<TIpAddressEdit*>("IPEdit");
  EXPECT_EQ(ip->x(), rbTcp->x() + rbTcp->width() + 4);
  EXPECT_EQ(ip->y(), rbTcp->y() - 4);
}

TEST_F(MainFormTest, DiagnosticSwitchesRevealTheirReadouts) {
  auto readouts = Make({"JXR", "40318826"});
  EXPECT_TRUE(readouts->STStatus()->isVisibleTo(readouts.get()));
  EXPECT_TRUE(readouts->STFlag()->isVisibleTo(readouts.get()));
  auto debug = Make({"JXR", "305172846"});
  auto* gb = debug->findChild<QGroupBox*>("GBDebug");
  EXPECT_TRUE(gb->isEnabled());
  EXPECT_FALSE(debug->STStatus()->isVisibleTo(debug.get()));
  // Visible only on its own page, which is not the current one.
  EXPECT_FALSE(gb->isHidden());
}

TEST_F(MainFormTest, IspHintOnlyForArgumentSeventeen) {
  auto form = Make();
  IspHintEvent other(16);
  QApplication::sendEvent(form.get(), &other);
  EXPECT_TRUE(messages.shown.empty());
  IspHintEvent hint(17);
  QApplication::sendEvent(form.get(), &hint);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "info");
  EXPECT_EQ(messages.shown[0].text,
            "Please use ISP mode (hold reset key and turn on power ) to update firmware first !");
}

TEST_F(MainFormTest, SendWhileDisconnectedFreesABusyWindow) {
  auto form = Make();
  form->SetBusy(true);
  EXPECT_FALSE(form->isEnabled());
  form->Session().ConversationStep = 2032;
  form->Sender().SendRequest(FrameCode::ReadWall);
  EXPECT_TRUE(form->isEnabled());
  EXPECT_FALSE(form->Busy());
  EXPECT_EQ(form->Session().ConversationStep, 0u);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace lumera
