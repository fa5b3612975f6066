#include "WindowPlacement.h"

#include <algorithm>

namespace dravo {

QPoint CentredInWorkArea(QSize frame, QRect workArea)
{
    QRect r(QPoint(0, 0), frame);
    r.moveCenter(workArea.center());
    // Past the right or bottom edge first, so a window larger than the area
    // keeps its top-left corner (with the title bar) on screen.
    const int x = std::max(workArea.left(), std::min(r.left(), workArea.left() + workArea.width() - frame.width()));
    const int y = std::max(workArea.top(), std::min(r.top(), workArea.top() + workArea.height() - frame.height()));
    return {x, y};
}

} // namespace dravo
