#include "pages/window_selection.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QToolButton>
#include <memory>

#include "app/main_form.h"
#include "app/radio_group.h"
#include "app/scroll_bar.h"
#include "link/frame_codes.h"
#include "pages/picture_page.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"
#include "support/recording_transport.h"

namespace lumera {
namespace {

constexpr uint8_t kFamilyU4 = 0x14;
constexpr uint8_t kFamilyM4 = 0x24;
constexpr uint8_t kFamilyG4 = 0x04;

class WindowSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    page = dynamic_cast<PicturePage*>(form->PageHandler(kPagePicture));
    ASSERT_NE(page, nullptr);
    for (unsigned w = 0; w < 4; ++w) S().Image.PictureSettings.Entry(w)[0] = uint8_t(10 + w);
    page->Show();
  }
  BoxSession& S() { return form->Session(); }
  void Model(uint8_t modelByte) {
    S().ModelByte = modelByte;
    S().WindowCount = modelByte & 0x0F;
    form->ConfigureForModel();
  }
  void Connect() {
    S().Set(LinkFlag::Connected);
    form->Sender().SetTransport(&link);
  }
  // The box's answer to the last request: the magic and the request's code.
  void Answer() {
    ASSERT_FALSE(link.frames.empty());
    uint8_t reply[512] = {};
    WriteU32(reply, ReplyMagic);
    WriteU32(reply + 4, link.Code(link.frames.size() - 1));
    form->DispatchReply(reply, sizeof reply, false);
  }
  int Brightness() { return page->ScrollBar(PicturePage::kBri)->value(); }

  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  test::RecordingTransport link;
  std::unique_ptr<TMainForm> form;
  PicturePage* page = nullptr;
};

TEST_F(WindowSelectionTest, ButtonsAreOneExclusiveGroupOfFourWindows) {
  for (int i = 0; i < 4; ++i) {
    QToolButton* b = form->WindowButton(i);
    EXPECT_EQ(b->text(), QString::number(i + 1));
    EXPECT_EQ(b->property("Tag").toInt(), i);
    EXPECT_EQ(b->isChecked(), i == 0);
  }
  form->WindowButton(2)->click();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(form->WindowButton(i)->isChecked(), i == 2);
  EXPECT_EQ(S().SelectedWindow, 2);
}

TEST_F(WindowSelectionTest, OffLineASwitchLoadsThePageAtOnce) {
  Model(kFamilyG4);
  form->WindowButton(1)->click();
  EXPECT_EQ(S().SelectedWindow, 1);
  EXPECT_EQ(Brightness(), 11);
  EXPECT_EQ(page->RGInput()->Items(), (QStringList{"HDMI-4", "HDMI-5", "HDMI-1"}));
  EXPECT_EQ(S().ConversationStep, 0u);
  EXPECT_TRUE(form->isEnabled());
}

TEST_F(WindowSelectionTest, ConnectedTheBoxIsToldFirstAndThePageLoadsOnItsAnswer) {
  Model(kFamilyG4);
  Connect();
  form->WindowButton(3)->click();
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.Code(0), FrameCode::SelectWindow);
  EXPECT_EQ(link.frames[0][8], 3);
  for (std::size_t i = 9; i < link.frames[0].size(); ++i) ASSERT_EQ(link.frames[0][i], 0) << i;
  EXPECT_EQ(S().ConversationStep, 2024u);
  EXPECT_EQ(S().SelectedWindow, 3);
  EXPECT_EQ(Brightness(), 10) << "loaded before the box answered";

  Answer();
  EXPECT_EQ(Brightness(), 13);
  EXPECT_EQ(S().ConversationStep, 0u);
  EXPECT_EQ(link.frames.size(), 1u) << "FamilyG has no overlays to turn off";

  // Edits now go to window 3's entry.
  page->ScrollBar(PicturePage::kBri)->UserMove({44});
  EXPECT_EQ(S().Image.PictureSettings.Entry(3)[0], 44);
  EXPECT_EQ(S().Image.PictureSettings.Entry(0)[0], 10);
}

TEST_F(WindowSelectionTest, OnFamilyUTheAnswerLeadsIntoTheOverlaysOff) {
  Model(kFamilyU4);
  Connect();
  form->WindowButton(1)->click();
  Answer();
  EXPECT_EQ(Brightness(), 11);
  ASSERT_EQ(link.frames.size(), 2u);
  EXPECT_EQ(link.Code(1), FrameCode::PatternSelect);
  EXPECT_EQ(S().ConversationStep, 2020u);
}

TEST_F(WindowSelectionTest, TwoWindowBoxDisablesTheThirdAndFourthButton) {
  Model(0x02);
  S().SelectedWindow = 1;
  form->ApplyWindowCount();
  EXPECT_TRUE(form->WindowButton(0)->isEnabled());
  EXPECT_TRUE(form->WindowButton(1)->isEnabled());
  EXPECT_FALSE(form->WindowButton(2)->isEnabled());
  EXPECT_FALSE(form->WindowButton(3)->isEnabled());
  EXPECT_TRUE(form->WindowButton(1)->isChecked());
  auto* frame = form->findChild<QGroupBox*>("BtnFrame");
  EXPECT_EQ(frame->height(), form->WindowButton(1)->geometry().bottom() + 1 + 6);
  Model(0x04);
  form->ApplyWindowCount();
  EXPECT_TRUE(form->WindowButton(3)->isEnabled());
  EXPECT_EQ(frame->height(), form->WindowButton(3)->geometry().bottom() + 1 + 8);
}

// The overlays-off exchange is three frames, each sent on the answer to the
// one before; only the families of the page's mask run it.
TEST_F(WindowSelectionTest, PictureShowTurnsOverlaysOffOnFamilyUOnly) {
  Model(kFamilyU4);
  Connect();
  S().SelectedWindow = 2;
  page->Show();
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.Code(0), FrameCode::PatternSelect);
  EXPECT_EQ(link.frames[0][8], SubCode::Pattern);
  EXPECT_EQ(link.frames[0][9], 0);
  Answer();
  ASSERT_EQ(link.frames.size(), 2u);
  EXPECT_EQ(link.Code(1), FrameCode::WarpSelect);
  EXPECT_EQ(ReadU16(link.frames[1].data() + 10), 0xFFFF);
  Answer();
  ASSERT_EQ(link.frames.size(), 3u);
  EXPECT_EQ(link.Code(2), FrameCode::RegisterWrite);
  EXPECT_EQ(link.frames[2][8], 2);
  EXPECT_EQ(link.frames[2][12], 0xAE);
  EXPECT_EQ(link.frames[2][14], 0);
  EXPECT_EQ(S().ConversationStep, 0u);
  Answer();
  EXPECT_EQ(link.frames.size(), 3u);

  for (uint8_t model : {kFamilyM4, kFamilyG4}) {
    link.frames.clear();
    Model(model);
    S().ConversationStep = 2024;
    page->Show();
    EXPECT_TRUE(link.frames.empty()) << int(model);
    EXPECT_EQ(S().ConversationStep, 0u) << int(model);
  }
}

TEST_F(WindowSelectionTest, VideoWallShowTurnsOverlaysOffExceptOnFamilyG) {
  Page* wall = form->PageHandler(kPageVideoWall);
  ASSERT_NE(wall, nullptr);
  Model(kFamilyG4);
  Connect();
  S().ConversationStep = 2024;
  wall->Show();
  EXPECT_TRUE(link.frames.empty());
  EXPECT_EQ(S().ConversationStep, 0u);
  for (uint8_t model : {kFamilyU4, kFamilyM4}) {
    link.frames.clear();
    Model(model);
    wall->Show();
    ASSERT_EQ(link.frames.size(), 1u) << int(model);
    Answer();
    Answer();
    ASSERT_EQ(link.frames.size(), 3u) << int(model);
    EXPECT_EQ(link.Codes(), (std::vector<uint32_t>{FrameCode::PatternSelect, FrameCode::WarpSelect,
                                                   FrameCode::RegisterWrite}));
    EXPECT_EQ(S().ConversationStep, 0u);
  }
}

TEST_F(WindowSelectionTest, HiddenAboutPageTurnsOverlaysOffOnFamilyUWithoutLoading) {
  Page* about = form->PageHandler(kPageAbout);
  ASSERT_NE(about, nullptr);
  Connect();
  Model(kFamilyG4);
  S().ConversationStep = 1234;
  about->Show();
  EXPECT_TRUE(link.frames.empty());
  EXPECT_EQ(S().ConversationStep, 1234u) << "the About page leaves the step alone";
  Model(kFamilyU4);
  about->Show();
  ASSERT_EQ(link.frames.size(), 1u);
  EXPECT_EQ(link.Code(0), FrameCode::PatternSelect);
  EXPECT_EQ(S().ConversationStep, 2020u);
}

}  // namespace
}  // namespace lumera
