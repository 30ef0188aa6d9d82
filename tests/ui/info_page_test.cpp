#include "conversation/info_page.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "app/main_form.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"
#include "support/recording_transport.h"

namespace lumera {
namespace {

// A signal record as the status reply carries it.
struct Signal {
  uint16_t width = 1920;
  uint16_t height = 1080;
  uint8_t colour = 0;
  uint8_t hdr = 0;
  uint8_t hbr = 0;
  uint16_t hFreq = 675;
  uint16_t vFreq = 599;
  uint8_t depth = 1;
  uint8_t hdcp = 0;
  uint8_t interlaced = 0;
};

class InfoPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->Sender().SetTransport(&transport);
    page = dynamic_cast<InfoPage*>(form->PageHandler(kPageInformation));
    ASSERT_NE(page, nullptr);
    S().LinkFlags |= LinkFlag::Connected;
    Model(0x14);
  }
  BoxSession& S() { return form->Session(); }
  void Model(uint8_t model) {
    S().ModelByte = model;
    form->ConfigureForModel();
  }
  // The latest status reply of window 0: the page copies it over the image.
  uint8_t* Output() { return S().Image.OutputStatus.Entry(0); }
  void Report(unsigned record, const Signal& s, bool marker = true) {
    uint8_t* in = S().Image.InputStatus.Entry(0) + 8 * record;
    in[0] = 1;
    in[1] = s.colour;
    in[2] = s.hbr;
    in[3] = s.hdr;
    WriteU16(in + 4, s.width);
    WriteU16(in + 6, s.height);
    uint8_t* ex = S().Image.InputExtra.Entry(0);
    WriteU16(ex + 8 * record, s.hFreq);
    WriteU16(ex + 8 * record + 2, s.vFreq);
    ex[8 * record + 4] = s.depth;
    ex[8 * record + 5] = s.hdcp;
    ex[8 * record + 6] = s.interlaced;
    ex[7] = marker ? 122 : 0;
  }
  void ReportOutput(uint8_t code) {
    Output()[4] = 1;
    Output()[5] = code;
    // The page looks the code up before it takes the status over.
    S().Image.WindowSetup.Entry(0)[5] = code;
  }
  QString Res(int i) const { return page->ResText(i)->text(); }
  QString Detail(int i) const { return page->DetailText(i)->text(); }
  QString Memo() const { return form->findChild<QPlainTextEdit*>("TntMemo1")->toPlainText(); }

  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  test::RecordingTransport transport;
  std::unique_ptr<TMainForm> form;
  InfoPage* page = nullptr;
};

TEST_F(InfoPageTest, NothingToShowAtStart) {
  S().LinkFlags = 0;
  page->RefreshInfoTab();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Res(i), "- - - -") << i;
    EXPECT_EQ(Detail(i), "- - - -") << i;
  }
  EXPECT_EQ(page->Group(0)->title(), "Output Mode");
}

TEST_F(InfoPageTest, OutputModeTexts) {
  const struct {
    uint8_t model;
    uint8_t code;
    const char* res;
  } cases[] = {
      {0x14, 36, "3840x2160@30"},
      {0x14, 5 /* in no row */, "3840x2160@60"},  // the first button, "@60" added
      {0x04, 30, "3840x2160@60"},
      {0x05, 34, "3840x1080@60"},
      {0x24, 29, "1280x800@120"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.res);
    Model(c.model);
    ReportOutput(c.code);
    page->RefreshInfoTab();
    EXPECT_EQ(Res(0), c.res);
    EXPECT_EQ(Detail(0), "- - - -");  // no detail marker
  }
}

TEST_F(InfoPageTest, CustomisedOutputShowsItsSize) {
  Model(0x04);
  ReportOutput(36);
  WriteU16(Output() + 8, 1600);
  WriteU16(Output() + 10, 1200);
  Output()[12] = 50;
  page->RefreshInfoTab();
  EXPECT_EQ(Res(0), "1600*1200@50");
}

TEST_F(InfoPageTest, OutputDetailsWithTheMarker) {
  ReportOutput(3);
  Report(0, {});
  Output()[18] = 1;  // HDCP
  Output()[19] = 1;  // 3D
  Output()[20] = 10;
  Output()[21] = 1;  // sync
  page->RefreshInfoTab();
  EXPECT_EQ(Res(0), "1920x1080@60");
  EXPECT_EQ(Detail(0), "SYNC/HDCP/RGB-10bits/3D");
  Model(0x24);
  page->RefreshInfoTab();
  EXPECT_EQ(Detail(0), "SYNC/HDCP/RGB-10bits");  // FamilyM has no 3D output
  Output()[4] = 0;
  page->RefreshInfoTab();
  EXPECT_EQ(Res(0), "- - - -");
  EXPECT_EQ(Detail(0), "- - - -");
}

TEST_F(InfoPageTest, MainSignalScanAndOrientation) {
  Signal s;
  s.height = 540;
  s.interlaced = 1;
  Report(0, s);
  page->RefreshInfoTab();
  EXPECT_EQ(Res(1), "1920x540i  67kHz/60Hz");
  EXPECT_EQ(Detail(1), "RGB444/8 bits");
  S().Image.PictureSettings.Entry(0)[9] = 1;
  page->RefreshInfoTab();
  EXPECT_EQ(Res(1), "1920x1080i  67kHz/60Hz");
  EXPECT_EQ(Memo(), "MAIN V FREQ:599\nMAIN V FREQ:599");

  s.interlaced = 0;
  Report(0, s);
  page->RefreshInfoTab();
  EXPECT_EQ(Res(1), "1920x540   67kHz/60Hz");
}

TEST_F(InfoPageTest, WithoutTheMarkerOnlyTheSize) {
  Signal s;
  s.interlaced = 1;
  Report(0, s, false);
  page->RefreshInfoTab();
  EXPECT_EQ(Res(1), "1920x1080");
  EXPECT_EQ(Detail(1), "- - - -");
  EXPECT_EQ(Memo(), "");
}

TEST_F(InfoPageTest, FormatTexts) {
  const struct {
    uint8_t model;
    Signal signal;
    const char* text;
  } cases[] = {
      {0x14, {.colour = 3, .hdr = 1, .depth = 2, .hdcp = 1}, "HDR/HDCP/YUV420/10 bits"},
      {0x14, {.colour = 2}, "YUV444/8 bits"},
      {0x14, {.colour = 1, .depth = 4}, "YUV422/16 bits"},
      {0x14, {.hbr = 1, .depth = 9}, "RGB444/"},          // HBR counts on FamilyM only
      {0x24, {.hdr = 1, .hbr = 1}, "HBR/RGB444/8 bits"},  // and HDR not there
      {0x04, {.hdr = 1, .depth = 0}, "HDR/RGB444/6 bits"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Model(c.model);
    Report(0, c.signal);
    page->RefreshInfoTab();
    EXPECT_EQ(Detail(1), c.text);
  }
}

TEST_F(InfoPageTest, SubWindowsFollowTheLayout) {
  uint8_t* layout = S().Image.SubWindowLayout.Entry(0);
  Signal sub;
  sub.width = 1280;
  sub.height = 720;
  sub.vFreq = 500;
  for (unsigned r = 0; r < 4; ++r) Report(r, sub);
  layout[6 + 1] = 1;  // sub window 0 rotated; progressive, so no change

  layout[0] = 0;
  page->RefreshInfoTab();
  for (int i : {2, 3, 4}) EXPECT_EQ(Res(i), "- - - -") << i;

  layout[0] = 5;
  form->findChild<QPlainTextEdit*>("TntMemo1")->clear();
  page->RefreshInfoTab();
  EXPECT_EQ(Res(2), "1280x720   67kHz/50Hz");
  EXPECT_EQ(Res(3), "1280x720   67kHz/50Hz");
  EXPECT_EQ(Res(4), "- - - -");
  EXPECT_EQ(Memo(), "MAIN V FREQ:500\nPIP1 V FREQ:500");

  layout[0] = 9;
  page->RefreshInfoTab();
  EXPECT_EQ(Res(4), "1280x720   67kHz/50Hz");
  EXPECT_EQ(Detail(4), "RGB444/8 bits");
}

TEST_F(InfoPageTest, FamilyMNeverFillsWindowsThreeAndFour) {
  Model(0x24);
  EXPECT_FALSE(page->Group(3)->isVisibleTo(form->PageWidget(kPageInformation)));
  EXPECT_FALSE(page->Group(4)->isEnabled());
  for (unsigned r = 0; r < 4; ++r) Report(r, {});
  S().Image.SubWindowLayout.Entry(0)[0] = 12;
  page->RefreshInfoTab();
  EXPECT_EQ(Res(2), "1920x1080   67kHz/60Hz");
  for (int i : {3, 4}) {
    EXPECT_EQ(Res(i), "- - - -");
    EXPECT_EQ(Detail(i), "- - - -");
  }
  EXPECT_EQ(page->Group(3)->title(), "WINDOW 3");
  EXPECT_EQ(page->Group(4)->title(), "WINDOW 4");
  Model(0x14);
  EXPECT_TRUE(page->Group(3)->isVisibleTo(form->PageWidget(kPageInformation)));
}

TEST_F(InfoPageTest, WindowCaptionsNameTheInputOfTheStoredCode) {
  Model(0x24);
  Output()[3] = 3;  // FamilyM stores code 3 for its first input
  page->RefreshInfoTab();
  EXPECT_EQ(page->Group(1)->title(), "WINDOW 1 HDMI-1");
  Model(0x14);
  Output()[3] = 3;
  page->RefreshInfoTab();
  EXPECT_EQ(page->Group(1)->title(), "WINDOW 1 DP-1");
  Output()[3] = 200;  // a code no input has
  page->RefreshInfoTab();
  EXPECT_EQ(page->Group(1)->title(), "WINDOW 1 ");
}

TEST_F(InfoPageTest, StatusIsTakenIntoTheImageOnlyWhileConnected) {
  Output()[5] = 17;
  page->RefreshInfoTab();
  EXPECT_EQ(S().Image.WindowSetup, S().Image.OutputStatus);
  EXPECT_EQ(S().Image.InputInfo, S().Image.InputStatus);

  // Offline, the status blocks are stale: the image (defaults, a loaded
  // setting file) stays as it is.
  S().LinkFlags = 0;
  const SettingsImage before = S().Image;
  Output()[5] = 30;
  Report(0, {});
  page->RefreshInfoTab();
  EXPECT_EQ(S().Image.WindowSetup, before.WindowSetup);
  EXPECT_EQ(S().Image.InputInfo, before.InputInfo);
}

TEST_F(InfoPageTest, ShowTurnsOverlaysOffOnWarpModels) {
  for (uint8_t model : {0x14, 0x24, 0x04}) {
    SCOPED_TRACE(int{model});
    Model(model);
    transport.frames.clear();
    S().ConversationStep = 2024;
    page->Show();
    if (model == 0x04) {
      EXPECT_TRUE(transport.frames.empty());
      EXPECT_EQ(S().ConversationStep, 0u);
    } else {
      ASSERT_EQ(transport.frames.size(), 1u);
      EXPECT_EQ(transport.Code(0), FrameCode::PatternSelect);
      EXPECT_EQ(transport.frames[0][9], 0);
      EXPECT_EQ(S().ConversationStep, 2020u);
    }
  }
}

}  // namespace
}  // namespace lumera
