#include "dialogs/bit_btn_ez.h"

#include <QIcon>
#include <QPainter>
#include <QPolygonF>

namespace lumera {

TBitBtnEZ::TBitBtnEZ(Direction direction, const QString& accessibleName, QWidget* parent)
    : QPushButton(parent), direction_(direction) {
  setFixedSize(kSize, kSize);
  QIcon icon;
  icon.addPixmap(Glyph(direction, true), QIcon::Normal);
  icon.addPixmap(Glyph(direction, false), QIcon::Disabled);
  setIcon(icon);
  setIconSize(QSize(20, 20));
  setAccessibleName(accessibleName);
  setToolTip(accessibleName);
}

QPixmap TBitBtnEZ::Glyph(Direction direction, bool enabled) {
  constexpr int n = 20;
  QPixmap pixmap(n, n);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // An arrow pointing right: shaft and head; rotated for the other directions.
  const QPolygonF arrow({{2, 8}, {10, 8}, {10, 3}, {18, 10}, {10, 17}, {10, 12}, {2, 12}});
  p.translate(n / 2.0, n / 2.0);
  switch (direction) {
    case Direction::Right:
      break;
    case Direction::Down:
      p.rotate(90);
      break;
    case Direction::Left:
      p.rotate(180);
      break;
    case Direction::Up:
      p.rotate(270);
      break;
  }
  p.translate(-n / 2.0, -n / 2.0);
  const QColor fill = enabled ? QColor(0x1F, 0x4E, 0x9A) : QColor(0xA0, 0xA0, 0xA0);
  p.setPen(QPen(enabled ? fill.darker(140) : QColor(0x80, 0x80, 0x80), 1));
  p.setBrush(fill);
  p.drawPolygon(arrow);
  return pixmap;
}

void TBitBtnEZ::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  emit OnMouseLeave(this);
}

}  // namespace lumera
