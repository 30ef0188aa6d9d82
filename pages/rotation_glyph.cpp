#include "pages/rotation_glyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QTransform>

namespace lumera {

namespace {

// The letter as strokes in a 100 x 100 box: the stem, the bowl and the leg.
// Drawn as a path rather than from a font, so that it looks the same on every
// desktop and a mirrored R never turns into a different glyph.
QPainterPath LetterR() {
  QPainterPath path;
  path.moveTo(30, 88);
  path.lineTo(30, 12);
  path.lineTo(52, 12);
  path.arcTo(QRectF(34, 12, 36, 36), 90, -180);
  path.lineTo(30, 48);
  path.moveTo(50, 48);
  path.lineTo(74, 88);
  return path;
}

QTransform TransformOf(int orientation) {
  QTransform t;
  t.translate(50, 50);
  switch (orientation) {
    case 1:
      t.rotate(90);
      break;
    case 2:
      t.rotate(270);
      break;
    case 3:
      t.scale(-1, 1);
      break;
    case 4:
      t.scale(1, -1);
      break;
    case 5:
      t.scale(-1, -1);
      break;
    default:
      break;
  }
  t.translate(-50, -50);
  return t;
}

}  // namespace

QPixmap RotationGlyph(int orientation, int size, const QColor& ink) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 100.0, size / 100.0);
  p.setTransform(TransformOf(orientation), true);
  QPen pen(ink, 13, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPath(LetterR());
  return pixmap;
}

QIcon RotationIcon(int orientation, int size) {
  const QPalette palette;
  QIcon icon;
  icon.addPixmap(RotationGlyph(orientation, size, palette.color(QPalette::Active, QPalette::Text)),
                 QIcon::Normal);
  icon.addPixmap(
      RotationGlyph(orientation, size, palette.color(QPalette::Disabled, QPalette::Text)),
      QIcon::Disabled);
  return icon;
}

QString OrientationName(int orientation) {
  static const char* const kNames[6] = {"Normal", "90", "270", "H Mirror", "V Mirror", "HV Mirror"};
  return orientation >= 0 && orientation < 6 ? QString::fromLatin1(kNames[orientation]) : QString();
}

}  // namespace lumera
