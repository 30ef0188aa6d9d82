#include "pages/picture_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "app/main_form.h"
#include "app/radio_group.h"
#include "app/scroll_bar.h"
#include "dialogs/wait_form.h"
#include "link/frame_codes.h"
#include "pages/about_page.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"
#include "support/recording_transport.h"

namespace lumera {
namespace {

constexpr uint8_t kFamilyU4 = 0x14;
constexpr uint8_t kFamilyM4 = 0x24;
constexpr uint8_t kFamilyG4 = 0x04;

class PicturePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    page = dynamic_cast<PicturePage*>(form->PageHandler(kPagePicture));
    about = dynamic_cast<AboutPage*>(form->PageHandler(kPageAbout));
    ASSERT_NE(page, nullptr);
    ASSERT_NE(about, nullptr);
  }
  BoxSession& S() { return form->Session(); }
  uint8_t* Pic(unsigned w = 0) { return S().Image.PictureSettings.Entry(w); }
  uint8_t* Setup(unsigned w = 0) { return S().Image.WindowSetup.Entry(w); }
  uint8_t* Signal(unsigned w = 0) { return S().Image.InputInfo.Entry(w); }
  void Model(uint8_t modelByte) {
    S().ModelByte = modelByte;
    S().WindowCount = modelByte & 0x0F;
    form->ConfigureForModel();
  }
  void Connect() {
    S().Set(LinkFlag::Connected);
    form->Sender().SetTransport(&link);
  }
  // The page as it loads when shown; a FamilyU show also starts the
  // overlays-off exchange, which a test that looks at edits drops.
  void Load() {
    page->Show();
    link.frames.clear();
    S().ConversationStep = 0;
  }
  TScrollBarEx* Bar(PicturePage::Bar b) { return page->ScrollBar(b); }
  QString Readout(PicturePage::Bar b) { return page->Readout(b)->text(); }
  std::string Only() {
    EXPECT_EQ(link.frames.size(), 1u);
    if (link.frames.empty()) return {};
    EXPECT_EQ(link.Code(0), FrameCode::SendCommand);
    for (std::size_t i = 20; i < link.frames[0].size(); ++i)
      if (link.frames[0][i] != 0) ADD_FAILURE() << "frame byte " << i << " not cleared";
    return link.Command(0);
  }

  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  test::RecordingTransport link;
  std::unique_ptr<TMainForm> form;
  PicturePage* page = nullptr;
  AboutPage* about = nullptr;
};

TEST_F(PicturePageTest, ControlsAndTheirStartUpState) {
  const struct {
    PicturePage::Bar bar;
    const char* name;
    const char* readout;
    int maximum;
  } bars[] = {
      {PicturePage::kBri, "SBBri", "STBri", 100}, {PicturePage::kCon, "SBCon", "STCon", 100},
      {PicturePage::kXha, "SBXha", "STXha", 10},  {PicturePage::kHue, "SBHUE", "STHUE", 100},
      {PicturePage::kXat, "SBXat", "STXat", 100}, {PicturePage::kRgn, "SBRGN", "STRGN", 255},
      {PicturePage::kGgn, "SBGGN", "STGGN", 255}, {PicturePage::kBgn, "SBBGN", "STBGN", 255}};
  for (const auto& b : bars) {
    EXPECT_EQ(form->findChild<TScrollBarEx*>(b.name), Bar(b.bar)) << b.name;
    EXPECT_EQ(page->Readout(b.bar)->objectName(), b.readout);
    EXPECT_EQ(Bar(b.bar)->maximum(), b.maximum) << b.name;
    EXPECT_FALSE(Bar(b.bar)->accessibleName().isEmpty()) << b.name;
  }
  // The page shows the start-up image: sharpness step 5 and "Custom".
  EXPECT_EQ(Bar(PicturePage::kBri)->value(), 50);
  EXPECT_EQ(Bar(PicturePage::kCon)->value(), 75);
  EXPECT_EQ(Readout(PicturePage::kXha), "50");
  EXPECT_EQ(page->CBColor()->currentText(), "Custom");
  EXPECT_TRUE(Bar(PicturePage::kRgn)->isEnabled());
  EXPECT_EQ(page->CBColor()->count(), 4);
  EXPECT_EQ(page->RGInput()->Items(), (QStringList{"HDMI-1", "HDMI-2", "HDMI-3"}));
  EXPECT_EQ(page->RGInput()->ItemIndex(), 0);
  EXPECT_EQ(page->RB3DInput()->Items(),
            (QStringList{"Automatic", "Side by Side", "Top-bottom", "Line Alternative"}));
  EXPECT_EQ(page->RGAudio()->title(), "Audio ");
  EXPECT_EQ(page->RGAudio()->Items(), (QStringList{"MAIN", "PIP/POP", "MUTE On"}));
  EXPECT_EQ(page->RGScaling()->Items(), (QStringList{"Full Screen", "Original AR", "1 To 1"}));
  EXPECT_EQ(page->RGScaling()->ItemIndex(), 0);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(page->RotButtons()[i]->objectName(), QString("BtnRot%1").arg(i));
    EXPECT_EQ(page->RotButtons()[i]->isChecked(), i == 0);
    EXPECT_FALSE(page->RotButtons()[i]->icon().isNull());
    EXPECT_EQ(about->RotRadios()[i]->objectName(), QString("RBRot%1").arg(i + 1));
    EXPECT_EQ(about->RotRadios()[i]->isChecked(), i == 0);
  }
  EXPECT_EQ(about->RBRotation()->title(), "Orientation");
}

TEST_F(PicturePageTest, SharpnessSevenShowsSeventySendsSeventyStoresSeven) {
  Connect();
  Bar(PicturePage::kXha)->UserMove({3, 5, 7});
  EXPECT_EQ(Readout(PicturePage::kXha), "70");
  EXPECT_EQ(Only(), "s00XHA+070\r\n");
  EXPECT_EQ(Pic()[2], 7);
}

TEST_F(PicturePageTest, EveryBarStoresItsByteAndSendsItsCommandAtTheEndOfTheMove) {
  Connect();
  const struct {
    PicturePage::Bar bar;
    int position;
    const char* command;
    std::size_t byte;
  } cases[] = {
      {PicturePage::kBri, 60, "s00BRI+060\r\n", 0}, {PicturePage::kCon, 30, "s00CON+030\r\n", 1},
      {PicturePage::kXha, 10, "s00XHA+100\r\n", 2}, {PicturePage::kHue, 99, "s00HUE+099\r\n", 3},
      {PicturePage::kXat, 0, "s00XAT+000\r\n", 4},  {PicturePage::kRgn, 200, "s00RGN+200\r\n", 6},
      {PicturePage::kGgn, 1, "s00GGN+001\r\n", 7},  {PicturePage::kBgn, 128, "s00BGN+128\r\n", 8},
  };
  for (const auto& c : cases) {
    link.frames.clear();
    Bar(c.bar)->UserMove({c.position / 2, c.position});
    EXPECT_EQ(Only(), c.command);
    EXPECT_EQ(Pic()[c.byte], c.position) << c.command;
    EXPECT_EQ(Pic(1)[c.byte], S().Image.PictureSettings.Entry(2)[c.byte]) << "other windows kept";
  }
}

// The thumb dragged with the mouse: the read-out and the image follow every
// move, and the box hears of it once, at the release.
TEST_F(PicturePageTest, ADragSendsOnceAtTheReleaseWhileTheReadoutFollows) {
  Model(kFamilyG4);
  Connect();
  form->show();
  QApplication::processEvents();
  TScrollBarEx* bar = Bar(PicturePage::kBri);
  QStyleOptionSlider opt;
  opt.initFrom(bar);
  opt.subControls = QStyle::SC_All;
  opt.orientation = Qt::Horizontal;
  opt.state |= QStyle::State_Horizontal;
  opt.minimum = bar->minimum();
  opt.maximum = bar->maximum();
  opt.sliderPosition = opt.sliderValue = bar->value();
  opt.singleStep = bar->singleStep();
  opt.pageStep = bar->pageStep();
  const QRect thumb =
      bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
  ASSERT_TRUE(thumb.isValid());
  QPoint at = thumb.center();
  QTest::mousePress(bar, Qt::LeftButton, {}, at);
  int moved = 0;
  for (int i = 0; i < 60; ++i) {
    at += QPoint(i < 40 ? 2 : -1, 0);
    QTest::mouseMove(bar, at);
    EXPECT_EQ(Readout(PicturePage::kBri), QString::number(bar->value()));
    EXPECT_EQ(Pic()[0], bar->value());
    if (bar->value() != 50) ++moved;
  }
  EXPECT_GT(moved, 0);
  EXPECT_TRUE(link.frames.empty());
  QTest::mouseRelease(bar, Qt::LeftButton, {}, at);
  char expected[16];
  std::snprintf(expected, sizeof expected, "s00BRI+%03d\r\n", bar->value());
  EXPECT_EQ(Only(), expected);
}

TEST_F(PicturePageTest, PercentGainsOnFamilyM) {
  Model(kFamilyM4);
  Connect();
  Load();
  for (int i = PicturePage::kRgn; i <= PicturePage::kBgn; ++i)
    EXPECT_EQ(Bar(static_cast<PicturePage::Bar>(i))->maximum(), 100);
  EXPECT_EQ(Readout(PicturePage::kRgn), "100");

  Bar(PicturePage::kRgn)->UserMove({40, 100});
  EXPECT_EQ(Only(), "s00RGN+100\r\n");
  EXPECT_EQ(Pic()[6], 255);
  link.frames.clear();
  Bar(PicturePage::kGgn)->UserMove({25});
  EXPECT_EQ(Only(), "s00GGN+025\r\n");
  EXPECT_EQ(Pic()[7], 64);

  // Loading shows the percentage and leaves the box's byte as it was, even
  // where the percentage cannot say it exactly.
  Pic()[6] = 255;
  Pic()[7] = 129;
  Pic()[8] = 0;
  Load();
  EXPECT_EQ(Bar(PicturePage::kRgn)->value(), 100);
  EXPECT_EQ(Bar(PicturePage::kGgn)->value(), 51);
  EXPECT_EQ(Readout(PicturePage::kGgn), "51");
  EXPECT_EQ(Bar(PicturePage::kBgn)->value(), 0);
  EXPECT_EQ(Pic()[7], 129);

  // Back on a FamilyU box the gains are bytes again.
  Model(kFamilyU4);
  Load();
  EXPECT_EQ(Bar(PicturePage::kGgn)->maximum(), 255);
  EXPECT_EQ(Bar(PicturePage::kGgn)->value(), 129);
}

TEST_F(PicturePageTest, TheInputSignalDecidesWhatCanBeAdjusted) {
  const struct {
    uint8_t hdr, format, colour;
    bool hueSat, contrastAndList, gains;
  } cases[] = {
      {1, 2, 3, false, false, false},  // HDR: contrast, list and gains off whatever the list says
      {1, 0, 1, false, false, false}, {0, 0, 3, false, true, true},  // RGB: no hue or saturation
      {0, 2, 3, true, true, true},                                   // YUV
      {0, 1, 1, true, true, false},                                  // a preset locks the gains
  };
  for (const auto& c : cases) {
    Signal()[3] = c.hdr;
    Signal()[1] = c.format;
    Pic()[5] = c.colour;
    Load();
    const std::string at =
        std::to_string(c.hdr) + "/" + std::to_string(c.format) + "/" + std::to_string(c.colour);
    EXPECT_EQ(Bar(PicturePage::kHue)->isEnabled(), c.hueSat) << at;
    EXPECT_EQ(Bar(PicturePage::kXat)->isEnabled(), c.hueSat) << at;
    EXPECT_EQ(Bar(PicturePage::kCon)->isEnabled(), c.contrastAndList) << at;
    EXPECT_EQ(page->CBColor()->isEnabled(), c.contrastAndList) << at;
    for (int i = PicturePage::kRgn; i <= PicturePage::kBgn; ++i)
      EXPECT_EQ(Bar(static_cast<PicturePage::Bar>(i))->isEnabled(), c.gains) << at;
    EXPECT_TRUE(Bar(PicturePage::kBri)->isEnabled());
    EXPECT_EQ(page->CBColor()->currentIndex(), c.colour);
  }
}

TEST_F(PicturePageTest, OnlyCustomColourFreesTheGains) {
  Connect();
  form->show();
  QComboBox* list = page->CBColor();
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Home);  // the operator picks "Reddish"
  EXPECT_EQ(Only(), "s00CLR+000\r\n");
  EXPECT_EQ(Pic()[5], 0);
  EXPECT_FALSE(Bar(PicturePage::kRgn)->isEnabled());
  link.frames.clear();
  QTest::keyClick(list, Qt::Key_End);
  EXPECT_EQ(Only(), "s00CLR+003\r\n");
  EXPECT_EQ(Pic()[5], 3);
  for (int i = PicturePage::kRgn; i <= PicturePage::kBgn; ++i)
    EXPECT_TRUE(Bar(static_cast<PicturePage::Bar>(i))->isEnabled());
  // The gains themselves are never written by a colour choice.
  EXPECT_EQ(Pic()[6], 255);
}

TEST_F(PicturePageTest, ScalingOneToOneIsSentAsTwoAndStoredAsFive) {
  Model(kFamilyU4);
  Connect();
  Load();
  page->RGScaling()->Button(2)->click();
  EXPECT_EQ(Only(), "s00XCL+002\r\n");
  EXPECT_EQ(Pic()[10], 5);
  link.frames.clear();
  page->RGScaling()->Button(1)->click();
  EXPECT_EQ(Only(), "s00XCL+001\r\n");
  EXPECT_EQ(Pic()[10], 1);

  Pic()[10] = 5;
  Load();
  EXPECT_EQ(page->RGScaling()->ItemIndex(), 2);
  Model(kFamilyM4);
  EXPECT_EQ(page->RGScaling()->Items(), (QStringList{"Full Screen", "Original AR"}));
  EXPECT_EQ(page->RGScaling()->Columns(), 2);
  Pic()[10] = 5;
  Load();
  EXPECT_EQ(page->RGScaling()->ItemIndex(), 1);
  EXPECT_TRUE(link.frames.empty());
}

TEST_F(PicturePageTest, MuteOnKeepsTheAudioSource) {
  Model(kFamilyG4);
  Connect();
  Setup()[17] = 1;
  Load();
  EXPECT_EQ(page->RGAudio()->ItemIndex(), 1);
  page->RGAudio()->Button(2)->click();
  EXPECT_EQ(Only(), "s00MUT+002\r\n");
  EXPECT_EQ(Setup()[16], 1);
  EXPECT_EQ(Setup()[17], 1);
  link.frames.clear();
  page->RGAudio()->Button(0)->click();
  EXPECT_EQ(Only(), "s00MUT+000\r\n");
  EXPECT_EQ(Setup()[16], 0);
  EXPECT_EQ(Setup()[17], 0);

  Setup()[16] = 9;
  Load();
  EXPECT_EQ(page->RGAudio()->ItemIndex(), 2);
  EXPECT_TRUE(link.frames.empty());
}

TEST_F(PicturePageTest, InputChangeWaitsForTheBoxAndAsksForAReread) {
  Model(kFamilyU4);
  Connect();
  Load();
  EXPECT_EQ(page->RGInput()->Items(), (QStringList{"HDMI-1", "HDMI-2", "HDMI-3", "DP-1"}));
  page->RGInput()->Button(3)->click();
  EXPECT_EQ(Only(), "s00INP+003\r\n");
  EXPECT_EQ(Setup()[3], 3);
  EXPECT_TRUE(S().Has(LinkFlag::RereadRequested));
  EXPECT_TRUE(form->WaitForm()->isVisible());
  EXPECT_EQ(form->TmrStatus()->interval(), 4000);
  form->CloseWaitDialog();

  // The input already shown in the image is no change.
  S().Clear(LinkFlag::RereadRequested);
  link.frames.clear();
  Setup()[3] = 1;
  Load();
  page->RGInput()->SetItemIndex(1);
  EXPECT_TRUE(link.frames.empty());
  EXPECT_FALSE(form->WaitForm()->isVisible());
  EXPECT_FALSE(S().Has(LinkFlag::RereadRequested));
}

TEST_F(PicturePageTest, InputChangeOffLineStoresWithoutWaiting) {
  Model(kFamilyG4);
  Load();
  page->RGInput()->Button(2)->click();
  EXPECT_EQ(Setup()[3], 2);
  EXPECT_FALSE(form->WaitForm()->isVisible());
  EXPECT_TRUE(form->isEnabled());
}

// FamilyM boxes number their inputs in another order. The image holds the
// box's code, the command carries the radio index, and a load without a
// re-read shows the input the operator chose.
TEST_F(PicturePageTest, FamilyMInputsRoundTripThroughTheCodes) {
  Model(kFamilyM4);
  Connect();
  const uint8_t codes[4] = {3, 1, 0, 2};
  for (int index = 0; index < 4; ++index) {
    Setup()[3] = codes[(index + 1) % 4];
    Load();
    page->RGInput()->Button(index)->click();
    char expected[16];
    std::snprintf(expected, sizeof expected, "s00INP+%03d\r\n", index);
    EXPECT_EQ(Only(), expected);
    EXPECT_EQ(Setup()[3], codes[index]);
    form->CloseWaitDialog();
    {
      const QSignalBlocker quiet(page->RGInput());  // something else on screen
      page->RGInput()->SetItemIndex((index + 2) % 4);
    }
    Load();
    EXPECT_EQ(page->RGInput()->ItemIndex(), index);
    link.frames.clear();
  }
}

TEST_F(PicturePageTest, ThreeDInputStartsTheWallRereadAndHoldsTheWindow) {
  Model(kFamilyU4);
  Connect();
  Load();
  page->RB3DInput()->Button(2)->click();
  EXPECT_EQ(Only(), "s003DI+002\r\n");
  EXPECT_EQ(Setup()[14], 2);
  EXPECT_EQ(S().ConversationStep, 2032u);
  EXPECT_EQ(pauser.pauses, (std::vector<uint32_t>{3000}));
  EXPECT_FALSE(form->isEnabled());
  form->SetBusy(false);

  // Off line: stored, nothing sent, no pause, the window stays usable.
  S().Clear(LinkFlag::Connected);
  pauser.pauses.clear();
  page->RB3DInput()->Button(3)->click();
  EXPECT_EQ(Setup()[14], 3);
  EXPECT_TRUE(pauser.pauses.empty());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_EQ(S().ConversationStep, 0u);
}

TEST_F(PicturePageTest, OrientationFromButtonsAndFromTheHiddenRadios) {
  Model(kFamilyU4);
  Connect();
  Load();
  page->RotButtons()[3]->click();
  EXPECT_EQ(Only(), "s00ORI+003\r\n");
  EXPECT_EQ(Pic()[9], 3);
  EXPECT_TRUE(page->RotButtons()[3]->isChecked());

  // The About page is never enabled, so its handlers run only from code.
  link.frames.clear();
  about->RBRot1Click(4);
  EXPECT_EQ(Only(), "s00ORI+004\r\n");
  EXPECT_EQ(Pic()[9], 4);

  // A picture selects its radio, and only a new choice is sent.
  link.frames.clear();
  about->ImgRotClick(1);
  EXPECT_EQ(Only(), "s00ORI+001\r\n");
  EXPECT_TRUE(about->RotRadios()[1]->isChecked());
  EXPECT_EQ(Pic()[9], 1);
  link.frames.clear();
  about->ImgRotClick(1);
  EXPECT_TRUE(link.frames.empty());

  // The load brings both selectors in line with the image.
  Load();
  EXPECT_TRUE(page->RotButtons()[1]->isChecked());
  EXPECT_TRUE(about->RotRadios()[1]->isChecked());
}

TEST_F(PicturePageTest, FamilyMPipLayoutShowsNormalAndLocksQuarterTurns) {
  Model(kFamilyM4);
  Connect();
  Pic()[9] = 1;
  S().Image.SubWindowLayout.Entry(0)[0] = 2;
  Load();
  EXPECT_TRUE(page->RotButtons()[0]->isChecked());
  EXPECT_TRUE(about->RotRadios()[0]->isChecked());
  EXPECT_FALSE(page->RotButtons()[1]->isEnabled());
  EXPECT_FALSE(page->RotButtons()[2]->isEnabled());
  for (int i : {0, 3, 4, 5}) EXPECT_TRUE(page->RotButtons()[i]->isEnabled()) << i;
  EXPECT_EQ(Pic()[9], 1);
  EXPECT_TRUE(link.frames.empty());

  S().Image.SubWindowLayout.Entry(0)[0] = 0;
  Load();
  EXPECT_TRUE(page->RotButtons()[1]->isChecked());
  EXPECT_TRUE(page->RotButtons()[1]->isEnabled());
  EXPECT_TRUE(page->RotButtons()[2]->isEnabled());
}

TEST_F(PicturePageTest, LayoutsFromNineLockTheOrientationElsewhere) {
  Model(kFamilyG4);
  S().Image.SubWindowLayout.Entry(0)[0] = 9;
  Pic()[9] = 2;
  Load();
  for (QToolButton* b : page->RotButtons()) EXPECT_FALSE(b->isEnabled());
  EXPECT_FALSE(about->RBRotation()->isEnabledTo(form->PageWidget(kPageAbout)));
  EXPECT_TRUE(page->RotButtons()[2]->isChecked());
  S().Image.SubWindowLayout.Entry(0)[0] = 8;
  Load();
  for (QToolButton* b : page->RotButtons()) EXPECT_TRUE(b->isEnabled());
  EXPECT_TRUE(about->RBRotation()->isEnabledTo(form->PageWidget(kPageAbout)));
}

TEST_F(PicturePageTest, ALoadShowsTheImageAndSendsNothing) {
  Model(kFamilyG4);
  Connect();
  const uint8_t picture[11] = {12, 34, 6, 78, 90, 2, 10, 20, 30, 4, 1};
  for (std::size_t i = 0; i < 11; ++i) Pic()[i] = picture[i];
  Setup()[3] = 2;
  Setup()[14] = 3;
  Setup()[16] = 0;
  Setup()[17] = 1;
  page->Show();
  EXPECT_TRUE(link.frames.empty());
  EXPECT_EQ(S().ConversationStep, 0u);
  EXPECT_FALSE(S().Has(LinkFlag::RefreshGuard));
  EXPECT_EQ(Bar(PicturePage::kBri)->value(), 12);
  EXPECT_EQ(Readout(PicturePage::kCon), "34");
  EXPECT_EQ(Readout(PicturePage::kXha), "60");
  EXPECT_EQ(Bar(PicturePage::kHue)->value(), 78);
  EXPECT_EQ(Bar(PicturePage::kXat)->value(), 90);
  EXPECT_EQ(page->CBColor()->currentText(), "Blueish");
  EXPECT_EQ(Bar(PicturePage::kRgn)->value(), 10);
  EXPECT_EQ(Readout(PicturePage::kBgn), "30");
  EXPECT_TRUE(page->RotButtons()[4]->isChecked());
  EXPECT_EQ(page->RGScaling()->ItemIndex(), 1);
  EXPECT_EQ(page->RGInput()->ItemIndex(), 2);
  EXPECT_EQ(page->RB3DInput()->ItemIndex(), 3);
  EXPECT_EQ(page->RGAudio()->ItemIndex(), 1);
  for (std::size_t i = 0; i < 11; ++i) EXPECT_EQ(Pic()[i], picture[i]) << "byte " << i;
}

// Bytes from the box are untrusted: anything out of range is shown as the
// nearest thing the controls can show, and only the orientation is repaired.
TEST_F(PicturePageTest, OutOfRangeBytesLoadSafely) {
  for (uint8_t model : {kFamilyU4, kFamilyM4, kFamilyG4}) {
    Model(model);
    Connect();
    for (std::size_t i = 0; i < 12; ++i) Pic()[i] = 0xFF;
    for (std::size_t i = 0; i < 32; ++i) Setup()[i] = 0xFF;
    for (std::size_t i = 0; i < 32; ++i) Signal()[i] = 0xFF;
    S().Image.SubWindowLayout.Entry(0)[0] = 0xFF;
    Load();
    EXPECT_EQ(Bar(PicturePage::kBri)->value(), 100);
    EXPECT_EQ(Readout(PicturePage::kXha), "100");
    EXPECT_EQ(page->CBColor()->currentIndex(), -1);
    EXPECT_EQ(Pic()[9], 0);
    EXPECT_TRUE(page->RotButtons()[0]->isChecked());
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(Pic()[i], 0xFF) << "byte " << i;
    EXPECT_EQ(Pic()[10], 0xFF);
    EXPECT_EQ(Setup()[14], 0xFF);
    EXPECT_TRUE(link.frames.empty());
    S().Clear(LinkFlag::Connected);
  }
}

TEST_F(PicturePageTest, FamilyMHasNoThreeDInputOrAudio) {
  Model(kFamilyM4);
  EXPECT_TRUE(page->RB3DInput()->isHidden());
  EXPECT_FALSE(page->RB3DInput()->isEnabled());
  EXPECT_TRUE(page->RGAudio()->isHidden());
  EXPECT_FALSE(page->RGAudio()->isEnabled());
  Setup()[14] = 2;
  Setup()[16] = 1;
  Load();
  EXPECT_EQ(page->RB3DInput()->ItemIndex(), 0) << "still the start-up load's";
  EXPECT_EQ(page->RGAudio()->ItemIndex(), 0);
  Model(kFamilyG4);
  EXPECT_FALSE(page->RB3DInput()->isHidden());
  EXPECT_TRUE(page->RGAudio()->isEnabled());
}

TEST_F(PicturePageTest, AConnectDoesNotMoveTheImageThroughTheGainRange) {
  Pic()[6] = 200;
  Load();
  Model(kFamilyM4);  // narrows the gain bars to 100
  EXPECT_EQ(Pic()[6], 200);
  EXPECT_EQ(Readout(PicturePage::kRgn), QString::number(Bar(PicturePage::kRgn)->value()));
}

}  // namespace
}  // namespace lumera
