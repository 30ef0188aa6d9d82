#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace lumera {

// The six orientations of a window: normal, rotated 90 and 270 degrees,
// mirrored left-right, top-bottom and both ways. The buttons show a letter R
// drawn in the orientation it stands for.
QPixmap RotationGlyph(int orientation, int size, const QColor& ink);
QIcon RotationIcon(int orientation, int size);
// The short name of an orientation ("Normal", "90", ... "HV Mirror").
QString OrientationName(int orientation);

}  // namespace lumera
