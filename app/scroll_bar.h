#pragma once

#include <QScrollBar>

namespace lumera {

// A scroll bar with the two events every page relies on: Change on every
// position change (user or code), and Scroll with code kScrollEnd once a user
// move has ended: the thumb released, an arrow or track click released, a
// step key released, a wheel turn, or a move chosen from the context menu.
// Positions set by code never raise Scroll.
class TScrollBarEx : public QScrollBar {
  Q_OBJECT
 public:
  static constexpr int kScrollEnd = 8;

  explicit TScrollBarEx(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

  // Moves through the given positions as a user drag would and releases.
  void UserMove(std::initializer_list<int> positions);

 signals:
  void Change(int position);
  void Scroll(int code);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  static bool IsStepKey(int key);
  bool pressed_ = false;
  bool keyStep_ = false;
};

}  // namespace lumera
