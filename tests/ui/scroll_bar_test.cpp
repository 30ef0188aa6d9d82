#include "app/scroll_bar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <memory>
#include <vector>

namespace lumera {
namespace {

// Exposes the style option so that a test can find the thumb and the track.
class ProbedScrollBar : public TScrollBarEx {
 public:
  using TScrollBarEx::TScrollBarEx;
  QRect Part(QStyle::SubControl part) const {
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    return style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, this);
  }
};

class ScrollBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar = std::make_unique<ProbedScrollBar>(Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setPageStep(10);
    bar->setValue(50);
    bar->setGeometry(0, 0, 320, 20);
    bar->show();
    QApplication::processEvents();
    QObject::connect(bar.get(), &TScrollBarEx::Change, [this](int p) { changes.push_back(p); });
    QObject::connect(bar.get(), &TScrollBarEx::Scroll, [this](int code) {
      scrolls.push_back({code, bar->value()});
    });
  }

  struct ScrollEvent {
    int code;
    int position;
  };
  std::unique_ptr<ProbedScrollBar> bar;
  std::vector<int> changes;
  std::vector<ScrollEvent> scrolls;
};

TEST_F(ScrollBarTest, ALongDragEndsInOneScrollAtTheRelease) {
  const QRect thumb = bar->Part(QStyle::SC_ScrollBarSlider);
  ASSERT_TRUE(thumb.isValid());
  QPoint at = thumb.center();
  QTest::mousePress(bar.get(), Qt::LeftButton, {}, at);
  for (int i = 0; i < 40; ++i) {
    at += QPoint(i < 20 ? 3 : -2, 0);
    QTest::mouseMove(bar.get(), at);
    EXPECT_TRUE(scrolls.empty()) << "scroll before the release, at move " << i;
  }
  const int beforeRelease = bar->value();
  EXPECT_NE(beforeRelease, 50);
  EXPECT_GT(changes.size(), 10u);
  EXPECT_EQ(changes.back(), beforeRelease);
  QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, at);
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].code, TScrollBarEx::kScrollEnd);
  EXPECT_EQ(scrolls[0].position, beforeRelease);
}

TEST_F(ScrollBarTest, TrackAndArrowClicksEndAtTheirRelease) {
  const QRect track = bar->Part(QStyle::SC_ScrollBarAddPage);
  ASSERT_TRUE(track.isValid());
  QTest::mouseClick(bar.get(), Qt::LeftButton, {}, track.center());
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].position, 60);

  const QRect arrow = bar->Part(QStyle::SC_ScrollBarSubLine);
  if (arrow.isValid() && !arrow.isEmpty()) {
    QTest::mouseClick(bar.get(), Qt::LeftButton, {}, arrow.center());
    ASSERT_EQ(scrolls.size(), 2u);
    EXPECT_EQ(scrolls[1].position, 59);
  }
}

TEST_F(ScrollBarTest, KeysEndAtTheReleaseEvenWhenHeldDown) {
  bar->setFocus();
  QTest::keyClick(bar.get(), Qt::Key_Right);
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].position, 51);

  // A held key repeats presses (and repeated releases) until the real release.
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(bar.get(), &press);
  for (int i = 0; i < 5; ++i) {
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(bar.get(), &repeatRelease);
    QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(bar.get(), &repeatPress);
  }
  EXPECT_EQ(scrolls.size(), 1u);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(bar.get(), &release);
  ASSERT_EQ(scrolls.size(), 2u);
  EXPECT_EQ(scrolls[1].position, 45);

  // A key that moves nothing on a bar ends no move.
  QTest::keyClick(bar.get(), Qt::Key_A);
  EXPECT_EQ(scrolls.size(), 2u);
}

TEST_F(ScrollBarTest, EachWheelTurnThatMovesEndsAMove) {
  auto turn = [this](int delta) {
    const QPointF pos(10, 10);
    QWheelEvent wheel(pos, bar->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar.get(), &wheel);
  };
  turn(120);  // a turn up raises the value
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_GT(scrolls[0].position, 50);
  bar->setValue(100);
  scrolls.clear();
  turn(120);  // already at the end
  EXPECT_TRUE(scrolls.empty());
  turn(-120);
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_LT(scrolls[0].position, 100);
}

TEST_F(ScrollBarTest, AMoveFromTheContextMenuEnds) {
  bool menuSeen = false;
  // The menu runs its own loop; pick "Right edge" (or the last move it offers)
  // as soon as it is up. Bounded: the timer gives up after a few tries.
  int tries = 0;
  QTimer picker;
  picker.setInterval(10);
  QObject::connect(&picker, &QTimer::timeout, [&] {
    if (++tries > 200) {
      picker.stop();
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
      return;
    }
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    menuSeen = true;
    picker.stop();
    QAction* pick = nullptr;
    for (QAction* a : menu->actions())
      if (a->text().contains(QStringLiteral("Right edge"), Qt::CaseInsensitive)) pick = a;
    if (!pick) pick = menu->actions().value(2);
    if (pick)
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(pick).center());
    else
      menu->close();
  });
  picker.start();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(bar.get(), &event);
  picker.stop();
  ASSERT_TRUE(menuSeen);
  ASSERT_NE(bar->value(), 50);
  ASSERT_EQ(scrolls.size(), 1u);
  EXPECT_EQ(scrolls[0].position, bar->value());
}

TEST_F(ScrollBarTest, PositionsSetByCodeChangeButNeverEnd) {
  bar->setValue(10);
  bar->setValue(90);
  bar->setMaximum(40);  // clamps the position
  EXPECT_EQ(changes, (std::vector<int>{10, 90, 40}));
  EXPECT_TRUE(scrolls.empty());
}

}  // namespace
}  // namespace lumera
