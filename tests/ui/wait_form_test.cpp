#include "dialogs/wait_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "app/main_form.h"
#include "conversation/settings_image.h"
#include "dialogs/bit_btn_ez.h"
#include "support/fake_message_boxes.h"
#include "support/recording_pauser.h"

namespace lumera {
namespace {

class WaitFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TMainForm>(std::vector<std::string>{}, messages, pauser);
  }
  TWaitForm* Wait() { return form->WaitForm(); }
  void Key(int key, Qt::KeyboardModifiers mods) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(Wait(), &press);
  }
  void TypeCode(Qt::KeyboardModifiers mods, bool withNoise) {
    for (char c : std::string("40318826")) {
      if (withNoise) {
        Key(Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
        Key(Qt::Key_5, Qt::ControlModifier | Qt::AltModifier);  // not on the keypad
      }
      Key(Qt::Key_0 + (c - '0'), mods | Qt::KeypadModifier);
    }
  }
  test::FakeMessageBoxes messages;
  test::RecordingPauser pauser;
  std::unique_ptr<TMainForm> form;
};

TEST_F(WaitFormTest, FreshStartHoldsTheDefaultsOfEveryWindow) {
  const SettingsImage& im = form->Session().Image;
  for (unsigned w = 0; w < 4; ++w) {
    EXPECT_EQ(Get(im.PictureSettings.Entry(w), PictureField::Brightness), 50);
    EXPECT_EQ(Get(im.PictureSettings.Entry(w), PictureField::Contrast), 75);
    for (U16 shift : BlendEdgeField::Shift) EXPECT_EQ(Get(im.BlendEdges.Entry(w), shift), 300);
    for (unsigned p = 0; p < WarpField::kSlots; ++p)
      ASSERT_EQ(GetPoint(im.WarpGrid.Entry(w), p), (Point{600, 600})) << w << "/" << p;
  }
}

TEST_F(WaitFormTest, DialogShape) {
  EXPECT_EQ(Wait()->windowTitle(), "Please Wait");
  EXPECT_EQ(Wait()->size(), QSize(460, 47));
  EXPECT_FALSE(Wait()->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(Wait()->windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_EQ(Wait()->PBProgress()->geometry(), QRect(6, 8, 449, 33));
  EXPECT_EQ(Wait()->PBProgress()->value(), 100);
  EXPECT_EQ(Wait()->Timer1()->interval(), 300);
  EXPECT_FALSE(Wait()->Timer1()->isActive());
}

TEST_F(WaitFormTest, NothingHappensWhileDisconnected) {
  Wait()->ShowWaitDialog(4000);
  EXPECT_FALSE(Wait()->isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_EQ(form->Session().LinkFlags, 0u);
}

TEST_F(WaitFormTest, ShowAndCloseKeepTheFlagsTimersAndWindowInStep) {
  BoxSession& s = form->Session();
  s.LinkFlags = LinkFlag::Connected;
  form->show();
  Wait()->ShowWaitDialog(12000);
  EXPECT_TRUE(Wait()->isVisible());
  EXPECT_FALSE(form->isEnabled());
  EXPECT_TRUE(s.Has(LinkFlag::WaitShown));
  EXPECT_TRUE(s.Has(LinkFlag::TimerWasOff)) << "the status timer was off";
  EXPECT_EQ(form->TmrStatus()->interval(), 12000);
  EXPECT_TRUE(form->TmrStatus()->isActive());
  EXPECT_EQ(Wait()->PBProgress()->value(), 0);
  const QPoint centre = form->frameGeometry().center();
  EXPECT_LE(std::abs(Wait()->geometry().center().x() - centre.x()), 2);

  Wait()->RaiseMaximum(62);
  Wait()->Advance(500);
  EXPECT_EQ(Wait()->PBProgress()->value(), 162) << "never beyond the maximum";
  form->CloseWaitDialog();
  EXPECT_FALSE(Wait()->isVisible());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_FALSE(s.Has(LinkFlag::WaitShown));
  EXPECT_EQ(Wait()->PBProgress()->maximum(), 100);
  EXPECT_FALSE(Wait()->Timer1()->isActive());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WaitFormTest, HiddenKeySequenceRevealsTheReadouts) {
  form->Session().LinkFlags = LinkFlag::Connected;
  Wait()->ShowWaitDialog(4000);
  TypeCode(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, false);
  EXPECT_EQ(Wait()->KeySequenceIndex(), 0) << "Shift held ignores the digits";
  TypeCode(Qt::ControlModifier | Qt::AltModifier, true);
  EXPECT_TRUE(form->STStatus()->isVisibleTo(form.get()));
  EXPECT_TRUE(form->STFlag()->isVisibleTo(form.get()));
}

TEST_F(WaitFormTest, ReopeningResetsTheSequence) {
  form->Session().LinkFlags = LinkFlag::Connected;
  Wait()->ShowWaitDialog(4000);
  for (int k : {Qt::Key_4, Qt::Key_0, Qt::Key_3})
    Key(k, Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier);
  EXPECT_EQ(Wait()->KeySequenceIndex(), 3);
  form->CloseWaitDialog();
  Wait()->ShowWaitDialog(4000);
  EXPECT_EQ(Wait()->KeySequenceIndex(), 0);
  form->CloseWaitDialog();
}

TEST(BitBtnEZ, ArrowButtonsHaveTwoGlyphsAndReportLeaving) {
  TBitBtnEZ button(TBitBtnEZ::Direction::Up, "Shift up");
  EXPECT_EQ(button.size(), QSize(36, 36));
  const QImage up = TBitBtnEZ::Glyph(TBitBtnEZ::Direction::Up, true).toImage();
  const QImage left = TBitBtnEZ::Glyph(TBitBtnEZ::Direction::Left, true).toImage();
  const QImage greyUp = TBitBtnEZ::Glyph(TBitBtnEZ::Direction::Up, false).toImage();
  EXPECT_NE(up, left);
  EXPECT_NE(up, greyUp);
  EXPECT_EQ(qAlpha(up.pixel(10, 2)) > 0, true) << "the up arrow's head is at the top";
  EXPECT_EQ(qAlpha(up.pixel(10, 18)) > 0, true) << "its shaft reaches the bottom";
  int left_count = 0;
  QObject::connect(&button, &TBitBtnEZ::OnMouseLeave, [&](QWidget* w) {
    EXPECT_EQ(w, &button);
    ++left_count;
  });
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button, &leave);
  EXPECT_EQ(left_count, 1);
}

}  // namespace
}  // namespace lumera
