// The whole conversation against the simulated box: identification, the full
// read into the image, the model's window set-up and the status poll.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "app/connection_controller.h"
#include "app/ip_address_edit.h"
#include "app/main_form.h"
#include "conversation/model_family.h"
#include "support/boxsim_process.h"
#include "support/fake_message_boxes.h"
#include "support/pump.h"
#include "support/recording_pauser.h"
#include "tools/boxsim/box_model.h"

namespace lumera {
namespace {

using test::PumpUntil;

class ConversationE2eTest : public ::testing::TestWithParam<uint8_t> {
 protected:
  void Connect(const std::vector<std::string>& options) {
    std::string error;
    ASSERT_TRUE(sim.Start(options, &error)) << error;
    qputenv("LUMERA_TCP_PORT", QByteArray::number(sim.Port()));
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->IpEntry(0)->SetText(QStringLiteral("127.0.0.1"));
    form->RBTCP()->click();
    form->Engine().SetStepObserver([this](uint32_t step) {
      if (step == 1023 || (step == 1005 && !HasWarpPages(form->Session().ModelByte)))
        readDone = true;
    });
    form->LinkBtn()->click();
  }
  void TearDown() override {
    form.reset();
    qunsetenv("LUMERA_TCP_PORT");
  }
  bool Idle() const { return readDone && form->Session().ConversationStep == 0; }

  template <std::size_t S, std::size_t E>
  static std::vector<uint8_t> Bytes(const Block<S, E>& b, std::size_t perEntry = E) {
    std::vector<uint8_t> out;
    for (std::size_t w = 0; w < S / E; ++w)
      out.insert(out.end(), b.bytes.begin() + w * E, b.bytes.begin() + w * E + perEntry);
    return out;
  }

  test::BoxsimProcess sim;
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  std::unique_ptr<TMainForm> form;
  bool readDone = false;
};

TEST_P(ConversationE2eTest, ConnectLeavesTheImageEqualToTheBoxAndTheWindowSetForItsModel) {
  const uint8_t model = GetParam();
  char modelText[8];
  std::snprintf(modelText, sizeof modelText, "0x%02X", model);
  Connect({"--model", modelText});
  ASSERT_TRUE(PumpUntil([this] { return Idle(); }, 15000))
      << "step " << form->Session().ConversationStep;

  boxsim::BoxConfig config;
  config.modelByte = model;
  const boxsim::BoxModel box(config);
  const SettingsImage& want = box.Image();
  const SettingsImage& got = form->Session().Image;
  EXPECT_EQ(Bytes(got.PictureSettings), Bytes(want.PictureSettings));
  EXPECT_EQ(Bytes(got.WallSettings), Bytes(want.WallSettings));
  EXPECT_EQ(Bytes(got.SubWindowLayout), Bytes(want.SubWindowLayout));
  EXPECT_EQ(Bytes(got.SubWindowColour), Bytes(want.SubWindowColour));
  EXPECT_EQ(Bytes(got.EdidSettings), Bytes(want.EdidSettings));
  EXPECT_EQ(Bytes(got.WindowSetup), Bytes(want.WindowSetup));
  EXPECT_EQ(Bytes(got.InputInfo), Bytes(want.InputInfo));
  if (HasWarpPages(model)) {
    EXPECT_EQ(Bytes(got.BlendEdges), Bytes(want.BlendEdges));
    EXPECT_EQ(Bytes(got.BlendGamma), Bytes(want.BlendGamma));
    EXPECT_EQ(Bytes(got.BlackLevel), Bytes(want.BlackLevel));
    EXPECT_EQ(Bytes(got.CornerPoints), Bytes(want.CornerPoints));
    EXPECT_EQ(Bytes(got.MaskPoints), Bytes(want.MaskPoints));
    EXPECT_EQ(Bytes(got.WarpGrid), Bytes(want.WarpGrid));
    EXPECT_EQ(Bytes(got.WarpMode), Bytes(want.WarpMode));
    EXPECT_EQ(Bytes(got.WarpCorners), Bytes(want.WarpCorners));
    EXPECT_EQ(Bytes(got.WarpCurve), Bytes(want.WarpCurve));
    EXPECT_EQ(Bytes(got.RawGridInfo), Bytes(want.RawGridInfo));
    EXPECT_EQ(Bytes(got.RawGrid, 400), Bytes(want.RawGrid, 400));
  }

  const int windows = model & 0x0F;
  for (int i = 1; i < 4; ++i) EXPECT_EQ(form->WindowButton(i)->isEnabled(), i < windows) << i;
  const bool warp = HasWarpPages(model);
  EXPECT_EQ(form->PCMain()->isTabVisible(kPageWarpAdjust), warp);
  EXPECT_EQ(form->PCMain()->isTabVisible(kPageBlend2), warp);
  EXPECT_TRUE(form->PCMain()->isTabVisible(kPagePicture));
  EXPECT_TRUE(form->PCMain()->isTabVisible(kPageInformation));
  EXPECT_TRUE(messages.shown.empty()) << messages.LastText().toStdString();

  // The status poll follows within its 3 s and lights the panels of the
  // simulator's signal and outputs.
  ASSERT_TRUE(PumpUntil(
      [this] { return TMainForm::PanelColour(form->InputPanel(0)) == kPanelInputColour; }, 6000));
  EXPECT_EQ(TMainForm::PanelColour(form->OutputPanel(0)), kPanelOutputColour);
  EXPECT_EQ(form->TmrStatus()->interval(), 3000);
}

INSTANTIATE_TEST_SUITE_P(Families, ConversationE2eTest,
                         ::testing::Values(uint8_t{0x14}, uint8_t{0x24}, uint8_t{0x04},
                                           uint8_t{0x02}));

TEST_F(ConversationE2eTest, ABoxThatStopsAnsweringNeverLocksTheWindow) {
  Connect({"--model", "0x14", "--stop-after", "9"});
  ASSERT_TRUE(PumpUntil([this] { return form->Session().ConversationStep == 1008; }, 5000));
  form->ShowWaitDialog(4000);
  EXPECT_FALSE(form->isEnabled());
  ASSERT_TRUE(PumpUntil([this] { return form->Session().ConversationStep == 0; }, 12000));
  EXPECT_TRUE(form->isEnabled());
  EXPECT_FALSE(form->Session().Has(LinkFlag::WaitShown));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].kind, "warning");
  EXPECT_TRUE(form->TmrStatus()->isActive());
  form->LinkBtn()->click();
  EXPECT_FALSE(form->Session().Connected());
  EXPECT_EQ(form->LinkBtn()->text(), "Connect");
}

}  // namespace
}  // namespace lumera
