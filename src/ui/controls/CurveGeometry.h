#pragma once
// Where the graph's handles and labels sit, at display scale S (percent).
// Every length is written for 100 % and scaled as S * n / 100 with integer
// division, so the same layout at 150 % is the 100 % one grown by half.
#include "CurveAxes.h"

#include <QRect>
#include <QString>

#include <utility>

namespace dravo {

inline constexpr double kMinQ = 0.404;
inline constexpr double kMaxQ = 28.852;

double clampQ(double q);

// A rectangle from its four edges (right and bottom exclusive).
QRect fromEdges(int left, int top, int right, int bottom);

// A square of side S*16/100 centred on the band's point, kept in the plot.
QRect bandHandleRect(const PlotAxes& axes, int x, int y, int S);

// The selected band's information label, above or below its point.
QRect infoLabelRect(const PlotAxes& axes, int x, int y, int S, bool parametric);
QString infoLabelText(int hz, double q, double db, bool parametric);

// The two Q handles either side of the band point, farther out for a
// smaller Q (81 / Q pixels at 100 %).
std::pair<QRect, QRect> qHandleRects(const PlotAxes& axes, int x, int y, double q, int S);

// Q from the pointer's distance to the band point: the inverse of the
// handle placement, held to the Q range.
double qFromDistance(int distance, int S);

// The crossover handles: "H" at the -8 dB level, "L" at -11 dB. Empty when
// the frequency is outside 20..20000 Hz.
QRect hpHandleRect(const PlotAxes& axes, int hz, int S);
QRect lpHandleRect(const PlotAxes& axes, int hz, int S);
bool onAxis(int hz);

} // namespace dravo
