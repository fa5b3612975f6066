#pragma once
// Where a pop-up menu opens: an anchor point taken from its button and
// alignment flags that say on which side of the anchor the menu lies.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace dravo {

// Alignment flags. Left: the menu starts at the anchor and extends right;
// Right: it ends at the anchor. Top: it hangs below the anchor; Bottom: it
// stands above it. Without a horizontal flag the menu starts at the anchor.
namespace menu_align {
inline constexpr int kLeft = 2;
inline constexpr int kTop = 4;
inline constexpr int kRight = 8;
inline constexpr int kBottom = 16;
} // namespace menu_align

enum class MenuAnchor {
    BottomLeft,        // the button's bottom-left corner
    BottomRight,       // the button's bottom-right corner
    AboveTopLeft,      // 4 pixels above the button's top-left corner
};

// Gap between a menu that opens upwards and its button.
inline constexpr int kMenuGapAbove = 4;

// The anchor point for a button rectangle in screen coordinates.
QPoint MenuAnchorPoint(const QRect& button, MenuAnchor anchor);

// The menu's top-left corner for the anchor, its size and the flags.
QPoint MenuTopLeft(QPoint anchor, QSize menuSize, int alignment);

} // namespace dravo
