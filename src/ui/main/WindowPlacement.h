#pragma once
// Where the main window first appears: centred in the work area of its
// screen and kept inside it, never left of or above its top-left corner.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace dravo {

QPoint CentredInWorkArea(QSize frame, QRect workArea);

} // namespace dravo
