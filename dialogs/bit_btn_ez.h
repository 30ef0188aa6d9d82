#pragma once

#include <QPixmap>
#include <QPushButton>

namespace lumera {

// The 36 x 36 arrow button of the shift, move and cursor groups: a push
// button with a normal and a disabled glyph, and an event when the mouse
// pointer leaves it.
class TBitBtnEZ : public QPushButton {
  Q_OBJECT
 public:
  enum class Direction { Left, Up, Right, Down };
  static constexpr int kSize = 36;

  TBitBtnEZ(Direction direction, const QString& accessibleName, QWidget* parent = nullptr);

  Direction ArrowDirection() const { return direction_; }
  // The two glyphs, drawn here rather than loaded from files.
  static QPixmap Glyph(Direction direction, bool enabled);

 signals:
  void OnMouseLeave(QWidget* button);

 protected:
  void leaveEvent(QEvent* event) override;

 private:
  Direction direction_;
};

}  // namespace lumera
