// The tool's own TCP link and reader thread against the simulated box.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <string>
#include <vector>

#include "app/connection_controller.h"
#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "support/boxsim_process.h"
#include "support/fake_message_boxes.h"
#include "support/pump.h"
#include "support/recording_pauser.h"

namespace lumera {
namespace {

using test::PumpFor;
using test::PumpUntil;

class LinkE2eTest : public ::testing::Test {
 protected:
  void Start(const std::vector<std::string>& options) {
    std::string error;
    ASSERT_TRUE(box.Start(options, &error)) << error;
    qputenv("LUMERA_TCP_PORT", QByteArray::number(box.Port()));
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->IpEntry(0)->SetText(QStringLiteral("127.0.0.1"));
    form->RBTCP()->click();
  }
  void TearDown() override {
    form.reset();
    qunsetenv("LUMERA_TCP_PORT");
  }
  bool FullReadDone() {
    return form->Session().ConversationStep == 0 && form->Session().VersionNumber == 221109;
  }

  test::BoxsimProcess box;
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  std::unique_ptr<TMainForm> form;
};

TEST_F(LinkE2eTest, ConnectReadsTheWholeBoxAndDisconnectTurnsItsOverlaysOff) {
  Start({"--model", "0x14"});
  form->LinkBtn()->click();
  ASSERT_EQ(form->LinkBtn()->text(), "Disconnect") << messages.LastText().toStdString();
  ASSERT_TRUE(PumpUntil([&] { return FullReadDone(); }, 15000))
      << "step " << form->Session().ConversationStep;
  EXPECT_EQ(form->Session().ModelByte, 0x14);
  EXPECT_TRUE(form->Connection().SocketReaderRunning());

  form->Session().SelectedWindow = 2;
  form->LinkBtn()->click();
  EXPECT_EQ(form->LinkBtn()->text(), "Connect");
  EXPECT_FALSE(form->Session().Connected());
  EXPECT_EQ(form->Session().ConversationStep, 0u) << "the overlays-off chain ran to its end";
  EXPECT_EQ(form->Session().SelectedWindow, 0);
  EXPECT_FALSE(form->Connection().SocketReaderRunning());
  EXPECT_TRUE(messages.shown.empty()) << messages.LastText().toStdString();
}

TEST_F(LinkE2eTest, ABoxThatFallsSilentOrHangsUpLetsTheOperatorDisconnectAndClose) {
  for (const char* fault : {"--stop-after", "--close-after"}) {
    SCOPED_TRACE(fault);
    Start({"--model", "0x14", fault, "5"});
    form->Connection().SetDisconnectWaitMs(300);
    form->LinkBtn()->click();
    ASSERT_TRUE(form->Session().Connected());
    // The read stops somewhere in the middle and stays there.
    PumpFor(300);
    EXPECT_NE(form->Session().ConversationStep, 0u);
    form->LinkBtn()->click();
    EXPECT_FALSE(form->Session().Connected());
    EXPECT_FALSE(form->Connection().SocketReaderRunning());
    form->LinkBtn()->click();
    ASSERT_TRUE(form->Session().Connected()) << "the box takes a new connection";
    form->close();
    EXPECT_FALSE(form->Connection().SocketReaderRunning());
    EXPECT_FALSE(form->Connection().TcpOpen());
    box.Stop();
  }
}

}  // namespace
}  // namespace lumera
