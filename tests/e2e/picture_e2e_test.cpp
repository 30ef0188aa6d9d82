#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <array>

#include "app/main_form.h"
#include "app/radio_group.h"
#include "app/scroll_bar.h"
#include "dialogs/wait_form.h"
#include "pages/picture_page.h"
#include "support/boxsim_process.h"
#include "support/fake_message_boxes.h"
#include "support/pumped_link.h"
#include "support/recording_pauser.h"

namespace lumera {
namespace {

using test::PumpedLink;

class PictureE2eTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (test::BoxsimProcess::Path().empty()) GTEST_SKIP() << "LUMERA_BOXSIM is not set";
    std::string error;
    ASSERT_TRUE(box.Start({"--model", GetParam()}, &error)) << error;
    ASSERT_TRUE(link.Connect(box.Port()));
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->Sender().SetTransport(&link);
    form->show();
    S().Set(LinkFlag::Connected);
    S().ConversationStep = 990;
    form->Sender().SendRequest(FrameCode::Identify);
    ASSERT_TRUE(link.Pump(*form));
    ASSERT_EQ(S().ConversationStep, 0u);
    page = dynamic_cast<PicturePage*>(form->PageHandler(kPagePicture));
    ASSERT_NE(page, nullptr);
  }
  BoxSession& S() { return form->Session(); }
  bool FamilyM() const { return std::string(GetParam()) == "0x24"; }

  // What the simulator holds for a window, asked for outside any chain.
  std::vector<uint8_t> BoxPicture(unsigned w) {
    form->Sender().SendRequest(FrameCode::ReadPicture);
    EXPECT_TRUE(link.Pump(*form));
    return {link.last.begin() + 8 + 12 * w, link.last.begin() + 20 + 12 * w};
  }
  std::vector<uint8_t> BoxSetup(unsigned w) {
    form->Sender().SendRequest(FrameCode::ReadSystemInfo);
    EXPECT_TRUE(link.Pump(*form));
    return {link.last.begin() + 48 + 32 * w, link.last.begin() + 80 + 32 * w};
  }
  std::vector<uint8_t> ToolPicture(unsigned w) {
    const uint8_t* e = S().Image.PictureSettings.Entry(w);
    return {e, e + 12};
  }
  // One edit: its frames reach the box, and the box answers each.
  void Edit(const std::function<void()>& edit) {
    const int before = link.sent;
    edit();
    EXPECT_GT(link.sent, before) << "the edit sent nothing";
    ASSERT_TRUE(link.Pump(*form));
  }
  void ExpectPictureInLine(const char* what) {
    EXPECT_EQ(BoxPicture(S().SelectedWindow), ToolPicture(S().SelectedWindow)) << what;
  }

  test::BoxsimProcess box;
  PumpedLink link;
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  std::unique_ptr<TMainForm> form;
  PicturePage* page = nullptr;
};

TEST_P(PictureE2eTest, EveryPictureControlReachesTheBox) {
  // After the full read the tab shows what the box holds.
  EXPECT_EQ(page->ScrollBar(PicturePage::kBri)->value(), BoxPicture(0)[0]);

  QComboBox* colour = page->CBColor();
  Edit([&] {  // the operator picks "Custom", which frees the gains
    colour->setCurrentIndex(3);
    emit colour->activated(3);
  });
  ExpectPictureInLine("CBColor");

  const struct {
    PicturePage::Bar bar;
    int position;
  } bars[] = {{PicturePage::kBri, 61}, {PicturePage::kCon, 22}, {PicturePage::kXha, 7},
              {PicturePage::kHue, 90}, {PicturePage::kXat, 5},  {PicturePage::kRgn, 100},
              {PicturePage::kGgn, 37}, {PicturePage::kBgn, 0}};
  for (const auto& b : bars) {
    Edit([&] { page->ScrollBar(b.bar)->UserMove({b.position / 3, b.position}); });
    ExpectPictureInLine(page->ScrollBar(b.bar)->objectName().toUtf8().constData());
  }
  EXPECT_EQ(BoxPicture(0)[2], 7);
  EXPECT_EQ(BoxPicture(0)[6], FamilyM() ? 255 : 100);

  for (QToolButton* rotation : page->RotButtons()) {
    Edit([&] { rotation->click(); });
    ExpectPictureInLine(rotation->objectName().toUtf8().constData());
  }
  for (int i = page->RGScaling()->Count() - 1; i >= 0; --i) {
    Edit([&] { page->RGScaling()->Button(i)->click(); });
    ExpectPictureInLine("RGScaling");
  }
  EXPECT_EQ(BoxPicture(0)[10], 0);

  for (int i = page->RGInput()->Count() - 1; i >= 0; --i) {
    Edit([&] { page->RGInput()->Button(i)->click(); });
    EXPECT_TRUE(form->WaitForm()->isVisible());
    EXPECT_EQ(BoxSetup(0)[3], S().Image.WindowSetup.Entry(0)[3]) << "input " << i;
    // The next status poll sees the requested re-read; its last step closes
    // the dialog and reloads the tab, which still shows the chosen input.
    form->TmrStatusTimer();
    ASSERT_TRUE(link.Pump(*form));
    EXPECT_FALSE(form->WaitForm()->isVisible());
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(page->RGInput()->ItemIndex(), i);
  }

  if (FamilyM()) return;
  for (int i : {2, 0}) {
    Edit([&] { page->RGAudio()->Button(i)->click(); });
    const auto setup = BoxSetup(0);
    EXPECT_EQ(setup[16], S().Image.WindowSetup.Entry(0)[16]);
    EXPECT_EQ(setup[17], S().Image.WindowSetup.Entry(0)[17]);
  }
  EXPECT_EQ(BoxSetup(0)[16], 0);

  page->RB3DInput()->Button(3)->click();
  EXPECT_TRUE(form->Busy());
  ASSERT_TRUE(link.Pump(*form));
  EXPECT_FALSE(form->Busy());
  EXPECT_EQ(S().ConversationStep, 0u);
  EXPECT_EQ(pauser.pauses.back(), 3000u);
  EXPECT_EQ(BoxSetup(0)[14], 3);
  EXPECT_EQ(page->RB3DInput()->ItemIndex(), 3);
}

TEST_P(PictureE2eTest, EachWindowShowsItsOwnValues) {
  TScrollBarEx* brightness = page->ScrollBar(PicturePage::kBri);
  Edit([&] { brightness->UserMove({20}); });
  Edit([&] { form->WindowButton(1)->click(); });
  EXPECT_EQ(S().SelectedWindow, 1);
  EXPECT_EQ(brightness->value(), BoxPicture(1)[0]);
  Edit([&] { brightness->UserMove({80}); });
  EXPECT_EQ(BoxPicture(1)[0], 80);
  EXPECT_EQ(BoxPicture(0)[0], 20);

  Edit([&] { form->WindowButton(0)->click(); });
  EXPECT_EQ(brightness->value(), 20);
  EXPECT_EQ(page->Readout(PicturePage::kBri)->text(), "20");
  Edit([&] { form->WindowButton(1)->click(); });
  EXPECT_EQ(brightness->value(), 80);
}

INSTANTIATE_TEST_SUITE_P(Families, PictureE2eTest, ::testing::Values("0x14", "0x24", "0x04"),
                         [](const auto& info) {
                           return std::string(info.param) == "0x14"   ? "FamilyU"
                                  : std::string(info.param) == "0x24" ? "FamilyM"
                                                                      : "FamilyG";
                         });

}  // namespace
}  // namespace lumera
