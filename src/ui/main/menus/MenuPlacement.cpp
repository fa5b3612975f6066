#include "MenuPlacement.h"

namespace dravo {

QPoint MenuAnchorPoint(const QRect& button, MenuAnchor anchor)
{
    // QRect's right() and bottom() are the last pixel inside; the corners the
    // menu meets lie just past them.
    switch (anchor) {
    case MenuAnchor::BottomLeft:
        return {button.left(), button.top() + button.height()};
    case MenuAnchor::BottomRight:
        return {button.left() + button.width(), button.top() + button.height()};
    case MenuAnchor::AboveTopLeft:
        return {button.left(), button.top() - kMenuGapAbove};
    }
    return button.topLeft();
}

QPoint MenuTopLeft(QPoint anchor, QSize menuSize, int alignment)
{
    QPoint topLeft = anchor;
    if (alignment & menu_align::kRight)
        topLeft.rx() -= menuSize.width();
    if (alignment & menu_align::kBottom)
        topLeft.ry() -= menuSize.height();
    return topLeft;
}

} // namespace dravo
