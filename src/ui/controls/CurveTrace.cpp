#include "CurveTrace.h"

#include <cmath>

namespace dravo {
namespace {

constexpr double kLowestHz = kAxisMinHz - 10;
constexpr double kHighestHz = kAxisMaxHz + 100;

} // namespace

CurveTrace traceCurve(const PlotAxes& axes, const double* frequency, const double* magnitude,
                      const double* phase, int points)
{
    CurveTrace trace;
    if (!frequency || !magnitude || !phase || points <= 0)
        return trace;
    trace.magnitude.reserve(std::size_t(points));
    trace.phase.reserve(std::size_t(points));
    bool first = true;
    double sx = 0.0;
    double sm = 0.0;
    double sp = 0.0;
    for (int k = points - 1; k >= 0; --k) {
        const double hz = frequency[k];
        if (!(hz >= kLowestHz && hz <= kHighestHz))
            continue;
        const int x = axes.xOf(hz);
        const int ym = axes.yOf(magnitude[k]);
        const int yp = axes.yOf(phase[k]);
        if (first) {
            sx = x;
            sm = ym;
            sp = yp;
            first = false;
        } else if (x >= axes.left) {
            sx = (sx + x) * 0.5;
            sm = (sm + ym) * 0.5;
            sp = (sp + yp) * 0.5;
        }
        const int rx = static_cast<int>(std::lround(sx));
        trace.magnitude.emplace_back(rx, static_cast<int>(std::lround(sm)));
        trace.phase.emplace_back(rx, static_cast<int>(std::lround(sp)));
    }
    return trace;
}

QPainterPath bezierChain(const std::vector<QPoint>& points)
{
    QPainterPath path;
    const std::size_t used = points.size() > 0 ? points.size() - 1 : 0;
    if (used < 2)
        return path;
    path.moveTo(points[0]);
    std::size_t i = 1;
    for (; i + 2 < used; i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    for (; i < used; ++i)
        path.lineTo(points[i]);
    return path;
}

} // namespace dravo
