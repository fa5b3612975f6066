#pragma once
// The graph's two axes over a plot rectangle: frequency 20 Hz (left edge) to
// 20000 Hz (right edge) on a log scale, level +12 dB (top edge) to -18 dB
// (bottom edge) with 0 dB at 40 % of the height. The mappings are integer
// pixel positions and whole hertz, so a dragged handle and the value it
// reports agree exactly.
namespace dravo {

inline constexpr int kAxisMinHz = 20;
inline constexpr int kAxisMaxHz = 20000;
inline constexpr double kAxisTopDb = 12.0;
inline constexpr double kAxisBottomDb = -18.0;

// Vertical grid lines; the last one is the right edge and is not drawn.
inline constexpr int kGridFrequencies[] = {20,   30,   40,   50,   60,   70,   80,   90,   100,  200,
                                           300,  400,  500,  600,  700,  800,  900,  1000, 2000, 3000,
                                           4000, 5000, 6000, 7000, 8000, 9000, 10000, 20000};
// Dotted level lines besides the solid 0 dB line.
inline constexpr int kGridLevels[] = {-15, -10, -5, 5, 10};

struct PlotAxes {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    double y0 = 0.0; // the 0 dB line

    // right and bottom are exclusive, as of a rectangle's edges.
    static PlotAxes over(int left, int top, int width, int height);

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // All three non-zero: the mappings below divide by them.
    bool usable() const { return width() != 0 && height() != 0 && y0 != 0.0; }

    int xOf(double hz) const;
    int hzOf(double x) const;
    int yOf(double db) const;
    double dbOf(double y) const;
};

} // namespace dravo
