#include "CurveAxes.h"

#include <algorithm>
#include <cmath>

namespace dravo {
namespace {

const double kLogMin = std::log10(double(kAxisMinHz));
const double kLogSpan = std::log10(double(kAxisMaxHz)) - kLogMin;

// Curve points may come from a degenerate filter (-400 dB) or carry a NaN;
// a pixel position is held well inside int range either way.
int toPixel(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

} // namespace

PlotAxes PlotAxes::over(int left, int top, int width, int height)
{
    PlotAxes a;
    a.left = left;
    a.top = top;
    a.right = left + width;
    a.bottom = top + height;
    a.y0 = top + height * kAxisTopDb / (kAxisTopDb - kAxisBottomDb);
    return a;
}

int PlotAxes::xOf(double hz) const
{
    // Zero or negative frequencies have no place on a log axis; they sit
    // far to the left, where nothing is drawn.
    const double logHz = std::log10(std::max(hz, 1.0e-3));
    return toPixel(left + width() * (logHz - kLogMin) / kLogSpan);
}

int PlotAxes::hzOf(double x) const
{
    if (width() == 0)
        return kAxisMinHz;
    return static_cast<int>(std::lround(std::pow(10.0, kLogMin + (x - left) * kLogSpan / width())));
}

int PlotAxes::yOf(double db) const
{
    if (std::isnan(db))
        return toPixel(y0);
    if (db > 0)
        return toPixel(y0 - std::round((y0 - top) * db) / kAxisTopDb);
    if (db < 0)
        return toPixel(y0 - std::round((bottom - y0) * db) / -kAxisBottomDb);
    return toPixel(y0);
}

double PlotAxes::dbOf(double y) const
{
    if (y < y0)
        return y0 == top ? 0.0 : kAxisTopDb * (y0 - y) / (y0 - top);
    if (y > y0)
        return bottom == y0 ? 0.0 : kAxisBottomDb * (y - y0) / (bottom - y0);
    return 0.0;
}

} // namespace dravo
