#include "app/scroll_bar.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace lumera {

TScrollBarEx::TScrollBarEx(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
  setFocusPolicy(Qt::StrongFocus);
  // A scroll bar inverts its controls for scrolling content, which turns the
  // Right key of a horizontal bar into a step down. These bars set values:
  // Right and a wheel turn up raise them.
  if (orientation == Qt::Horizontal) setInvertedControls(false);
  connect(this, &QScrollBar::valueChanged, this, &TScrollBarEx::Change);
}

void TScrollBarEx::UserMove(std::initializer_list<int> positions) {
  for (int p : positions) setValue(p);
  emit Scroll(kScrollEnd);
}

void TScrollBarEx::mousePressEvent(QMouseEvent* event) {
  QScrollBar::mousePressEvent(event);
  pressed_ = event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
}

void TScrollBarEx::mouseReleaseEvent(QMouseEvent* event) {
  QScrollBar::mouseReleaseEvent(event);
  if (pressed_ && event->buttons() == Qt::NoButton) {
    pressed_ = false;
    emit Scroll(kScrollEnd);
  }
}

bool TScrollBarEx::IsStepKey(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

void TScrollBarEx::keyPressEvent(QKeyEvent* event) {
  QScrollBar::keyPressEvent(event);
  if (IsStepKey(event->key())) keyStep_ = true;
}

void TScrollBarEx::keyReleaseEvent(QKeyEvent* event) {
  QScrollBar::keyReleaseEvent(event);
  if (keyStep_ && IsStepKey(event->key()) && !event->isAutoRepeat()) {
    keyStep_ = false;
    emit Scroll(kScrollEnd);
  }
}

void TScrollBarEx::wheelEvent(QWheelEvent* event) {
  const int before = value();
  QScrollBar::wheelEvent(event);
  if (value() != before) emit Scroll(kScrollEnd);
}

// The menu's moves ("Scroll here", "Left edge", "Page right" ...) are user
// moves like any other and would otherwise be stored but never sent.
void TScrollBarEx::contextMenuEvent(QContextMenuEvent* event) {
  const int before = value();
  QScrollBar::contextMenuEvent(event);
  if (value() != before) emit Scroll(kScrollEnd);
}

}  // namespace lumera
