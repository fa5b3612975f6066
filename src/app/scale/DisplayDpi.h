#pragma once
// The one display scale of the program, chosen once at start from the size of
// the screen it will most likely be shown on.
#include <QRect>
#include <QSize>
#include <vector>

namespace dravo {

struct ScreenLayout {
    QSize primary;              // the primary screen, taken at origin (0, 0)
    QRect virtualScreen;        // all screens together, for the log
    std::vector<QRect> others;  // the other monitors, in the order the system lists them
};

// The primary screen, unless a later monitor (one not at the origin) is
// strictly wider than the widest seen so far.
QRect ChooseDisplayRect(const ScreenLayout& screens);

// One of 64, 77, 96, 120, 144, 192, 288 for a screen of w x h pixels
// (96 is 100 %, reached at 1280 x 720).
int DpiForScreenSize(int width, int height);

// Chooses and logs; the second form asks Qt for the screens. Qt's own
// high-DPI scaling, when the platform applies one, already shrinks the sizes
// it reports, so the two never add up to twice the scale.
int ComputeDisplayDpi(const ScreenLayout& screens);
int ComputeDisplayDpi();

} // namespace dravo
