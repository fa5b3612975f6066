#include "CurveTrace.h"

#include <algorithm>
#include <cmath>

namespace dravo {
namespace {

constexpr double kLowestHz = kAxisMinHz - 10;
constexpr double kHighestHz = kAxisMaxHz + 100;

double distanceToLine(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF d = b - a;
    const double length = std::hypot(d.x(), d.y());
    if (length == 0.0)
        return std::hypot(p.x() - a.x(), p.y() - a.y());
    return std::abs(d.x() * (a.y() - p.y()) - d.y() * (a.x() - p.x())) / length;
}

// Douglas-Peucker: the points a line through their neighbours would miss
// by more than `tolerance`; the ends always stay.
std::vector<bool> keptPoints(const QPolygonF& polygon, double tolerance)
{
    const std::size_t n = std::size_t(polygon.size());
    std::vector<bool> kept(n, tolerance <= 0.0);
    if (n == 0)
        return kept;
    kept.front() = true;
    kept.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    if (n > 2)
        spans.emplace_back(0, n - 1);
    while (!spans.empty() && tolerance > 0.0) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = -1.0;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double d = distanceToLine(polygon[qsizetype(i)], polygon[qsizetype(first)], polygon[qsizetype(last)]);
            if (d > farthest) {
                farthest = d;
                at = i;
            }
        }
        if (farthest > tolerance) {
            kept[at] = true;
            if (at - first > 1)
                spans.emplace_back(first, at);
            if (last - at > 1)
                spans.emplace_back(at, last);
        }
    }
    return kept;
}

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

std::vector<QLineF> flattened(const QPainterPath& chain, double tolerance)
{
    std::vector<QLineF> lines;
    for (const QPolygonF& polygon : chain.toSubpathPolygons()) {
        const std::vector<bool> kept = keptPoints(polygon, tolerance);
        qsizetype from = 0;
        for (qsizetype i = 1; i < polygon.size(); ++i) {
            if (!kept[std::size_t(i)])
                continue;
            if (polygon[from] != polygon[i])
                lines.emplace_back(polygon[from], polygon[i]);
            from = i;
        }
    }
    return lines;
}

std::vector<QLineF> dashed(const std::vector<QLineF>& lines, double dash, double gap)
{
    std::vector<QLineF> pieces;
    if (!(dash > 0.0) || !(gap >= 0.0))
        return lines;
    bool drawing = true;
    double left = dash; // of the current dash or gap
    for (const QLineF& line : lines) {
        const double length = line.length();
        double at = 0.0;
        while (at < length) {
            const double step = std::min(left, length - at);
            if (drawing)
                pieces.emplace_back(line.pointAt(at / length), line.pointAt((at + step) / length));
            at += step;
            left -= step;
            if (left <= 0.0) {
                drawing = !drawing;
                left = drawing ? dash : gap;
            }
        }
    }
    return pieces;
}

void cullOutside(std::vector<QLineF>& lines, const QRectF& area)
{
    const auto outside = [&area](const QLineF& l) {
        return (l.x1() < area.left() && l.x2() < area.left()) || (l.x1() > area.right() && l.x2() > area.right()) ||
               (l.y1() < area.top() && l.y2() < area.top()) || (l.y1() > area.bottom() && l.y2() > area.bottom());
    };
    lines.erase(std::remove_if(lines.begin(), lines.end(), outside), lines.end());
}

} // namespace dravo
