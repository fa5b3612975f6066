#pragma once
// One output's response as drawn: the grid points on the axis, smoothed
// from the high end down, joined by cubic Bezier segments.
#include "CurveAxes.h"

#include <QLineF>
#include <QPainterPath>
#include <QPoint>

#include <vector>

namespace dravo {

struct CurveTrace {
    std::vector<QPoint> magnitude;
    std::vector<QPoint> phase;
};

// Walks the points from the highest frequency down, skipping those below
// 10 Hz or above 20100 Hz. Each point on the axis becomes the mean of itself
// and the previous smoothed point; points left of the axis (10..20 Hz)
// repeat the previous one. The phase (already scaled to +-12) uses the level
// mapping.
CurveTrace traceCurve(const PlotAxes& axes, const double* frequency, const double* magnitude,
                      const double* phase, int points);

// A chain of cubic segments through every point but the last (the first
// point, then three per segment). Points that do not fill a last segment
// are joined by straight lines.
QPainterPath bezierChain(const std::vector<QPoint>& points);

// The chain as short straight pieces, ready to stroke. Stroking many short
// lines costs a fraction of stroking one long anti-aliased outline, and
// points that lie within `tolerance` pixels of the line through their
// neighbours are left out (a quarter pixel cannot be seen).
std::vector<QLineF> flattened(const QPainterPath& chain, double tolerance = 0.25);

// The pieces of a dashed line along `lines`: `dash` drawn, `gap` left out,
// the pattern running on across the pieces.
std::vector<QLineF> dashed(const std::vector<QLineF>& lines, double dash, double gap);

// Leaves out the pieces that lie wholly beyond one edge of `area` (a steep
// crossover slope far below the plot): clipped anyway, but still stroked.
void cullOutside(std::vector<QLineF>& lines, const QRectF& area);

} // namespace dravo
