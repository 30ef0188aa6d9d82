#include "pages/output_page.h"

#include <gtest/gtest.h>

#include <QApplication>
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
#include "pages/cus_output_dialog.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"
#include "support/recording_transport.h"

namespace lumera {
namespace {

// A rate chosen from the list, as the operator chooses it.
void Choose(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  emit list->activated(index);
}

class OutputPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
    form->Sender().SetTransport(&transport);
    page = dynamic_cast<OutputPage*>(form->PageHandler(kPageOutput));
    ASSERT_NE(page, nullptr);
    dialog = form->CusOutput();
    ASSERT_NE(dialog, nullptr);
  }
  BoxSession& S() { return form->Session(); }
  uint8_t* Setup(unsigned w = 0) { return S().Image.WindowSetup.Entry(w); }
  void Model(uint8_t model) {
    S().ModelByte = model;
    form->ConfigureForModel();
  }
  void Connect() { S().LinkFlags |= LinkFlag::Connected; }
  void Load() {
    S().Set(LinkFlag::RefreshGuard);
    page->RefreshOutputTab();
    S().Clear(LinkFlag::RefreshGuard);
  }
  void SetCustom(uint16_t w, uint16_t h, uint8_t r) {
    Set(Setup(), WindowSetupField::CusWidth, w);
    Set(Setup(), WindowSetupField::CusHeight, h);
    Set(Setup(), WindowSetupField::CusRate, r);
  }
  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < transport.frames.size(); ++i) {
      EXPECT_EQ(transport.Code(i), FrameCode::SendCommand);
      out.push_back(transport.Command(i));
    }
    return out;
  }
  // Runs the customised dialog with the given actions, as the operator would
  // between its showing and its closing.
  void RunDialog(const std::function<void(TCusOutput&)>& actions) {
    dialog->SetModalRunner([actions](TCusOutput& d) {
      actions(d);
      return d.result();
    });
    page->GOutbtnCus()->click();
  }

  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  test::RecordingTransport transport;
  std::unique_ptr<TMainForm> form;
  OutputPage* page = nullptr;
  TCusOutput* dialog = nullptr;
};

TEST_F(OutputPageTest, TimingButtonsSendTheirTagAndStoreTheFamilysCode) {
  const struct {
    uint8_t model;
    const char* button;
    const char* command;
    int storedCode;  // -1: the stored code stays
  } cases[] = {
      {0x14, "UOutbtn5", "s00OPM+005\r\n", 3},   {0x14, "UOutbtn2", "s00OPM+002\r\n", 36},
      {0x14, "UOutbtn18", "s00OPM+018\r\n", -1},  // no code is known for it
      {0x24, "MOutbtn14", "s00OPM+014\r\n", 29}, {0x04, "GOutbtn3", "s00OPM+003\r\n", 32},
      {0x05, "GOutbtn16", "s00OPM+016\r\n", 34},
  };
  Connect();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    Model(c.model);
    Set(Setup(), WindowSetupField::TimingCode, 77);
    transport.frames.clear();
    auto* b = form->findChild<QToolButton*>(c.button);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isVisibleTo(form->PageWidget(kPageOutput)));
    b->click();
    EXPECT_TRUE(b->isChecked());
    EXPECT_EQ(Commands(), std::vector<std::string>{c.command});
    EXPECT_EQ(Get(Setup(), WindowSetupField::TimingCode), c.storedCode < 0 ? 77 : c.storedCode);
  }
}

TEST_F(OutputPageTest, LoadPressesTheStoredTimingsButton) {
  const struct {
    uint8_t model;
    uint8_t code;
    const char* pressed;
  } cases[] = {
      {0x14, 36, "UOutbtn2"}, {0x14, 99, "UOutbtn0"}, {0x24, 29, "MOutbtn14"},
      {0x24, 30, "MOutbtn0"}, {0x04, 8, "GOutbtn13"}, {0x04, 99, "GOutbtn0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pressed << " for code " << int{c.code});
    Model(c.model);
    // Start from the customised timing, so that a load must also lift it.
    Set(Setup(), WindowSetupField::TimingCode, 36);
    Load();
    Set(Setup(), WindowSetupField::TimingCode, c.code);
    Load();
    EXPECT_TRUE(form->findChild<QToolButton*>(c.pressed)->isChecked());
    EXPECT_FALSE(page->GOutbtnCus()->isChecked());
    EXPECT_FALSE(page->CustomInGroup());
  }
}

TEST_F(OutputPageTest, CustomisedTimingLoadsIntoTheGroupWithItsText) {
  Model(0x04);
  Set(Setup(), WindowSetupField::TimingCode, 36);
  SetCustom(1600, 1200, 50);
  Load();
  EXPECT_TRUE(page->CustomInGroup());
  EXPECT_TRUE(page->GOutbtnCus()->isChecked());
  for (int i = 0; i < 17; ++i) EXPECT_FALSE(page->GOutButtons()[i]->isChecked()) << i;
  EXPECT_EQ(page->STCusRes()->text(), "1600*1200@50");

  // A timing button takes the output back, and the customised button leaves.
  Connect();
  page->GOutButtons()[5]->click();
  EXPECT_FALSE(page->GOutbtnCus()->isChecked());
  EXPECT_FALSE(page->CustomInGroup());
  EXPECT_EQ(Commands(), std::vector<std::string>{"s00OPM+005\r\n"});
}

TEST_F(OutputPageTest, EachFamilyShowsItsOwnGroup) {
  auto* g = form->findChild<QGroupBox*>("GBOurputG");
  auto* u = form->findChild<QGroupBox*>("GBOurputUD");
  auto* m = form->findChild<QGroupBox*>("GBOurputM8");
  const struct {
    uint8_t model;
    bool g, u, m, threeD;
    const char* caption16;
    int widthMax;
  } cases[] = {
      {0x14, false, true, false, true, "3840x2400@60", 4096},
      {0x24, false, false, true, false, "3840x2400@60", 4096},
      {0x04, true, false, false, true, "3840x2400@60", 7680},
      {0x05, true, false, false, true, "3840x1080@60", 7680},
      {0x34, false, true, false, true, "3840x1080@60", 4096},  // both bits: FamilyU
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << int{c.model});
    Model(c.model);
    EXPECT_EQ(g->isVisibleTo(form->PageWidget(kPageOutput)), c.g);
    EXPECT_EQ(g->isEnabled(), c.g);
    EXPECT_EQ(u->isVisibleTo(form->PageWidget(kPageOutput)), c.u);
    EXPECT_EQ(u->isEnabled(), c.u);
    EXPECT_EQ(m->isVisibleTo(form->PageWidget(kPageOutput)), c.m);
    EXPECT_EQ(m->isEnabled(), c.m);
    EXPECT_EQ(page->RB3DOutput()->isVisibleTo(form->PageWidget(kPageOutput)), c.threeD);
    EXPECT_EQ(page->RB3DOutput()->isEnabled(), c.threeD);
    EXPECT_EQ(page->GOutButtons()[16]->text(), c.caption16);
    EXPECT_EQ(dialog->SBCusWidth()->maximum(), c.widthMax);
  }
}

TEST_F(OutputPageTest, DialogRoundsTheWidthAndApplySwitchesTheOutput) {
  Model(0x04);
  Connect();
  Set(Setup(), WindowSetupField::TimingCode, 3);
  SetCustom(1280, 720, 60);
  Load();
  RunDialog([](TCusOutput& d) {
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), "Customixe Output Setting");
    EXPECT_EQ(d.SBCusWidth()->value(), 1280);
    EXPECT_EQ(d.SBCusHeight()->value(), 720);
    EXPECT_EQ(d.CBRate()->currentText(), "60 Hz");
    d.SBCusWidth()->UserMove({1500, 1923});
    EXPECT_EQ(d.SBCusWidth()->value(), 1920);
    EXPECT_EQ(d.STCusOutW()->text(), "1920");
    d.SBCusHeight()->UserMove({1080});
    EXPECT_EQ(d.STCusOutH()->text(), "1080");
    d.TntButton1()->click();
  });
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"s00CMW1920\r\n", "s00CMH1080\r\n", "s00OPM+017\r\n"}));
  EXPECT_EQ(Get(Setup(), WindowSetupField::CusWidth), 1920);
  EXPECT_EQ(Get(Setup(), WindowSetupField::CusHeight), 1080);
  EXPECT_EQ(Get(Setup(), WindowSetupField::CusRate), 60);
  EXPECT_EQ(Get(Setup(), WindowSetupField::TimingCode), 36);
  EXPECT_TRUE(page->GOutbtnCus()->isChecked());
  EXPECT_FALSE(page->GOutButtons()[5]->isChecked());
  EXPECT_EQ(page->STCusRes()->text(), "1920*1080@60");
}

TEST_F(OutputPageTest, CancelKeepsTheNewWidthButNotTheOutput) {
  Model(0x04);
  Connect();
  Set(Setup(), WindowSetupField::TimingCode, 3);
  SetCustom(1280, 720, 60);
  Load();
  RunDialog([](TCusOutput& d) {
    d.SBCusWidth()->UserMove({1600});
    d.BtnCusOut()->click();
  });
  EXPECT_EQ(Commands(), std::vector<std::string>{"s00CMW1600\r\n"});
  EXPECT_EQ(Get(Setup(), WindowSetupField::CusWidth), 1600);
  EXPECT_EQ(Get(Setup(), WindowSetupField::TimingCode), 3);
  EXPECT_TRUE(page->GOutButtons()[5]->isChecked());
  EXPECT_FALSE(page->GOutbtnCus()->isChecked());
  EXPECT_EQ(page->STCusRes()->text(), "1600*720@60");
}

TEST_F(OutputPageTest, StartUpRateOpensWithTheListUnchanged) {
  Model(0x04);
  ASSERT_EQ(Get(Setup(), WindowSetupField::CusRate), 32);  // the grid value's default
  dialog->CBRate()->setCurrentIndex(1);                    // what the list showed last
  transport.frames.clear();
  RunDialog([](TCusOutput& d) {
    EXPECT_EQ(d.CBRate()->currentIndex(), 1);
    d.BtnCusOut()->click();
  });
  EXPECT_TRUE(page->STCusRes()->text().endsWith("@32"));
  EXPECT_EQ(Get(Setup(), WindowSetupField::CusRate), 32);
}

TEST_F(OutputPageTest, RefusedValuesReturnWithoutASend) {
  Model(0x04);
  Connect();
  SetCustom(3840, 2160, 60);
  RunDialog([](TCusOutput& d) {
    Choose(d.CBRate(), 4);  // 100 Hz: 91324 x 10 kHz
    EXPECT_EQ(d.CBRate()->currentText(), "60 Hz");
    d.SBCusWidth()->UserMove({7680});  // 7680x2160@60 is over the limit
    EXPECT_EQ(d.SBCusWidth()->value(), 3840);
    EXPECT_EQ(d.STCusOutW()->text(), "3840");
    d.SBCusHeight()->UserMove({3840});
    EXPECT_EQ(d.SBCusHeight()->value(), 2160);
    Choose(d.CBRate(), 1);  // 30 Hz passes, and then so does 7680
    d.SBCusWidth()->UserMove({7680});
    d.TntButton1()->click();
  });
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"s00CMR+030\r\n", "s00CMW7680\r\n", "s00OPM+017\r\n"}));
  EXPECT_EQ(Get(Setup(), WindowSetupField::CusWidth), 7680);
  EXPECT_EQ(Get(Setup(), WindowSetupField::CusRate), 30);
}

TEST_F(OutputPageTest, BoxWithoutARateOrSizeNeedsARateFirst) {
  Model(0x04);
  Connect();
  SetCustom(0, 0, 0);
  RunDialog([](TCusOutput& d) {
    EXPECT_EQ(d.SBCusWidth()->value(), 800);
    EXPECT_EQ(d.SBCusHeight()->value(), 600);
    d.SBCusWidth()->UserMove({1920});  // refused: no rate to estimate with
    EXPECT_EQ(d.SBCusWidth()->value(), 800);
    Choose(d.CBRate(), 3);  // checked at the size the bars show
    d.SBCusWidth()->UserMove({1920});
    d.SBCusHeight()->UserMove({1080});
    d.BtnCusOut()->click();
  });
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"s00CMR+060\r\n", "s00CMW1920\r\n", "s00CMH1080\r\n"}));
  EXPECT_EQ(page->STCusRes()->text(), "1920*1080@60");
}

TEST_F(OutputPageTest, DialogIsCentredOverTheMainWindow) {
  form->move(40, 30);
  form->show();
  QPoint at;
  RunDialog([&at](TCusOutput& d) {
    at = d.pos();
    d.BtnCusOut()->click();
  });
  const QRect m = form->frameGeometry();
  EXPECT_EQ(at, QPoint(m.left() + m.width() / 2 - dialog->width() / 2,
                       m.top() + m.height() / 2 - dialog->height() / 2));
}

TEST_F(OutputPageTest, HdcpDeepColourAnd3DOutput) {
  Model(0x14);
  Connect();
  page->RGHDCPOutput()->Button(2)->click();
  page->CBDeepColor()->click();
  page->CBDeepColor()->click();
  EXPECT_EQ(Commands(),
            (std::vector<std::string>{"s00HDO+002\r\n", "s00DCM+001\r\n", "s00DCM+000\r\n"}));
  EXPECT_EQ(Get(Setup(), WindowSetupField::HdcpOutput), 2);
  EXPECT_EQ(Get(Setup(), WindowSetupField::DeepColour), 0);

  transport.frames.clear();
  page->RB3DOutput()->Button(3)->click();
  EXPECT_EQ(Commands(), std::vector<std::string>{"s003DO+003\r\n"});
  EXPECT_EQ(Get(Setup(), WindowSetupField::Output3D), 3);
  EXPECT_EQ(S().ConversationStep, 2032u);
  EXPECT_TRUE(form->Busy());
  EXPECT_EQ(pauser.pauses, std::vector<uint32_t>{5000});
  form->SetBusy(false);
}

TEST_F(OutputPageTest, OfflineEditsStoreButNeitherSendNorBlock) {
  Model(0x14);
  page->RB3DOutput()->SetItemIndex(4);
  page->UOutButtons()[7]->click();
  EXPECT_TRUE(transport.frames.empty());
  EXPECT_EQ(Get(Setup(), WindowSetupField::Output3D), 4);
  EXPECT_EQ(Get(Setup(), WindowSetupField::TimingCode), 2);
  EXPECT_EQ(S().ConversationStep, 0u);
  EXPECT_FALSE(form->Busy());
  EXPECT_TRUE(pauser.pauses.empty());
}

TEST_F(OutputPageTest, ShowingThePageLoadsWithoutSending) {
  Connect();
  for (uint8_t model : {0x04, 0x14}) {
    SCOPED_TRACE(int{model});
    Model(model);
    transport.frames.clear();
    Set(Setup(), WindowSetupField::TimingCode, 17);
    Set(Setup(), WindowSetupField::HdcpOutput, 1);
    Set(Setup(), WindowSetupField::DeepColour, 1);
    Set(Setup(), WindowSetupField::Output3D, 9);  // a byte no choice shows
    page->Show();
    EXPECT_TRUE(
        form->findChild<QToolButton*>(model == 0x04 ? "GOutbtn6" : "UOutbtn6")->isChecked());
    EXPECT_EQ(page->RGHDCPOutput()->ItemIndex(), 1);
    EXPECT_TRUE(page->CBDeepColor()->isChecked());
    EXPECT_EQ(page->RB3DOutput()->ItemIndex(), -1);
    EXPECT_EQ(Get(Setup(), WindowSetupField::Output3D), 9);
    EXPECT_FALSE(form->Busy());
    // Only FamilyU turns the overlays off when the page shows.
    if (model == 0x14) {
      ASSERT_EQ(transport.frames.size(), 1u);
      EXPECT_EQ(transport.Code(0), FrameCode::PatternSelect);
      EXPECT_EQ(S().ConversationStep, 2020u);
    } else {
      EXPECT_TRUE(transport.frames.empty());
      EXPECT_EQ(S().ConversationStep, 0u);
    }
    S().ConversationStep = 0;
  }
}

TEST_F(OutputPageTest, EveryControlIsNamedForPeople) {
  Model(0x04);
  for (QToolButton* b : page->GOutButtons()) EXPECT_FALSE(b->text().isEmpty());
  const QWidget* named[] = {page->STCusRes(),     page->RGHDCPOutput(),  page->RB3DOutput(),
                            dialog->SBCusWidth(), dialog->SBCusHeight(), dialog->CBRate()};
  for (const QWidget* w : named)
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
}

}  // namespace
}  // namespace lumera
