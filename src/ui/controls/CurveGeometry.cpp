#include "CurveGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace dravo {
namespace {

int scaled(int S, int n)
{
    return S * n / 100;
}

struct Span {
    int lo;
    int hi;
};

// `size` wide around c (c - half .. c + half), moved inside [lo, hi] when it
// would stick out.
Span keptInside(int c, int half, int size, int lo, int hi)
{
    if (c < lo + half)
        return {lo, lo + size};
    if (c > hi - half)
        return {hi - size, hi};
    return {c - half, c + half};
}

// The vertical place of what belongs to a band point at y: below the point,
// but above it near the bottom edge, and pushed down near the top edge.
// `near` and `far` are its distances from the point at 100 %, `topNear` and
// `topFar` its place under the top edge.
Span belowOrAbove(const PlotAxes& a, int y, int S, int topNear, int topFar, int near, int far)
{
    if (y < a.top + scaled(S, 14))
        return {a.top + scaled(S, topNear), a.top + scaled(S, topFar)};
    if (y >= a.bottom - scaled(S, 10))
        return {a.bottom - scaled(S, topFar), a.bottom - scaled(S, topNear)};
    if (y > a.bottom - scaled(S, 29))
        return {y - scaled(S, far), y - scaled(S, near)};
    return {y + scaled(S, near), y + scaled(S, far)};
}

QRect crossoverHandle(const PlotAxes& a, int hz, int S, double levelDb, int extraHeight)
{
    if (!onAxis(hz))
        return {};
    const int size = scaled(S, 14);
    const Span h = keptInside(a.xOf(hz), size / 2, size, a.left, a.right);
    const int top = a.yOf(levelDb);
    return fromEdges(h.lo, top, h.hi, top + scaled(S, 10) + extraHeight);
}

} // namespace

double clampQ(double q)
{
    if (!(q >= kMinQ)) // NaN too
        return kMinQ;
    return std::min(q, kMaxQ);
}

QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

QRect bandHandleRect(const PlotAxes& a, int x, int y, int S)
{
    const int size = scaled(S, 16);
    const int half = scaled(S, 8);
    const Span h = keptInside(x, half, size, a.left, a.right);
    const Span v = keptInside(y, half, size, a.top, a.bottom);
    return fromEdges(h.lo, v.lo, h.hi, v.hi);
}

QRect infoLabelRect(const PlotAxes& a, int x, int y, int S, bool parametric)
{
    const int width = parametric ? 150 : 50;
    const Span h = keptInside(x, scaled(S, width / 2), scaled(S, width), a.left, a.right);
    const Span v = belowOrAbove(a, y, S, 22, 37, 14, 29);
    return fromEdges(h.lo, v.lo, h.hi, v.hi);
}

QString infoLabelText(int hz, double q, double db, bool parametric)
{
    if (!parametric)
        return QString::asprintf("%.1f dB", db);
    return QString::asprintf("%d Hz %s Q %.1f dB", hz, qPrintable(QString::asprintf("%0.2f", q)), db);
}

std::pair<QRect, QRect> qHandleRects(const PlotAxes& a, int x, int y, double q, int S)
{
    const int g = static_cast<int>(std::lround(81.0 / clampQ(q))) * S / 100;
    const int w = scaled(S, 4);
    const Span v = belowOrAbove(a, y, S, 12, 20, 4, 12);
    return {fromEdges(x - g - w, v.lo, x - g + w, v.hi), fromEdges(x + g - w, v.lo, x + g + w, v.hi)};
}

double qFromDistance(int distance, int S)
{
    const int d = std::clamp(std::abs(distance), scaled(S, 3), std::max(scaled(S, 3), scaled(S, 162)));
    if (d <= 0)
        return kMaxQ;
    return clampQ(double(scaled(S, 81)) / d);
}

QRect hpHandleRect(const PlotAxes& a, int hz, int S)
{
    return crossoverHandle(a, hz, S, -8.0, 0);
}

QRect lpHandleRect(const PlotAxes& a, int hz, int S)
{
    return crossoverHandle(a, hz, S, -11.0, 2);
}

bool onAxis(int hz)
{
    return hz >= kAxisMinHz && hz <= kAxisMaxHz;
}

} // namespace dravo
