// The graph's arithmetic: axes, where handles and labels go at a scale, how
// a curve becomes a Bezier chain, and the colours a layout gives.
#include "ChannelCurve.h"
#include "CurveAxes.h"
#include "CurveGeometry.h"
#include "CurveLook.h"
#include "CurveTrace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dravo {
namespace {

TEST(CurveAxes, MapsTheCornersAndTheKnownPoints)
{
    const PlotAxes a = PlotAxes::over(0, 0, 400, 300);
    EXPECT_DOUBLE_EQ(a.y0, 120.0);
    struct Level {
        double db;
        int y;
    };
    for (const Level& l : {Level{12, 0}, Level{-18, 300}, Level{6, 60}, Level{-9, 210}, Level{0, 120}}) {
        EXPECT_EQ(a.yOf(l.db), l.y) << l.db << " dB";
        EXPECT_DOUBLE_EQ(a.dbOf(l.y), l.db) << l.y;
    }
    EXPECT_EQ(a.xOf(20), 0);
    EXPECT_EQ(a.xOf(20000), 400);
    EXPECT_NEAR(a.xOf(632), 200, 1);
    EXPECT_EQ(a.hzOf(0), 20);
    EXPECT_EQ(a.hzOf(400), 20000);
}

TEST(CurveAxes, AnOffsetPlotMapsFromItsOwnEdges)
{
    const PlotAxes a = PlotAxes::over(10, 20, 400, 300);
    EXPECT_EQ(a.xOf(20), 10);
    EXPECT_EQ(a.yOf(12), 20);
    EXPECT_EQ(a.yOf(-18), 320);
    EXPECT_EQ(a.hzOf(410), 20000);
}

TEST(CurveAxes, ValuesNoAxisCanShowStayInIntRange)
{
    const PlotAxes a = PlotAxes::over(0, 0, 400, 300);
    EXPECT_LT(a.xOf(0), 0);
    EXPECT_LT(a.xOf(-5), 0);
    EXPECT_GT(a.yOf(-400), 300);
    EXPECT_EQ(a.yOf(std::numeric_limits<double>::quiet_NaN()), 120);
    EXPECT_GT(a.yOf(-std::numeric_limits<double>::infinity()), 300);
}

TEST(CurveGeometry, HandlesGrowWithTheScale)
{
    const PlotAxes a = PlotAxes::over(0, 0, 600, 450);
    const QRect handle = bandHandleRect(a, 300, 200, 150);
    EXPECT_EQ(handle, QRect(288, 188, 24, 24));

    // Q 1 at 150 %: 81 * 150 / 100 = 121.5, truncated.
    const auto [left, right] = qHandleRects(a, 300, 200, 1.0, 150);
    EXPECT_EQ(left.left(), 300 - 121 - 6);
    EXPECT_EQ(right.left(), 300 + 121 - 6);
    EXPECT_EQ(right.width(), 12);
}

TEST(CurveGeometry, HandlesNearAnEdgeStayInsideThePlot)
{
    const PlotAxes a = PlotAxes::over(0, 0, 400, 300);
    EXPECT_EQ(bandHandleRect(a, 0, 0, 100), QRect(0, 0, 16, 16));
    EXPECT_EQ(bandHandleRect(a, 400, 300, 100), QRect(384, 284, 16, 16));
    EXPECT_EQ(hpHandleRect(a, 20, 100).left(), 0);
    EXPECT_EQ(lpHandleRect(a, 20000, 100).right() + 1, 400);
    EXPECT_EQ(hpHandleRect(a, 1000, 100).top(), a.yOf(-8));
    EXPECT_EQ(hpHandleRect(a, 1000, 100).height(), 10);
    EXPECT_EQ(lpHandleRect(a, 1000, 100).top(), a.yOf(-11));
    EXPECT_EQ(lpHandleRect(a, 1000, 100).height(), 12);
    EXPECT_TRUE(hpHandleRect(a, 19, 100).isNull());
    EXPECT_TRUE(lpHandleRect(a, 20001, 100).isNull());
}

TEST(CurveGeometry, TheLabelGoesBelowThePointUnlessAnEdgeIsNear)
{
    const PlotAxes a = PlotAxes::over(0, 0, 400, 300);
    struct Case {
        int y;
        int top;
        int bottom;
    };
    const Case cases[] = {
        {5, 22, 37},     // near the top: pushed down from the top edge
        {295, 263, 278}, // at the bottom edge: up from the bottom edge
        {280, 251, 266}, // close to the bottom: above the point
        {100, 114, 129}, // elsewhere: below the point
    };
    for (const Case& c : cases) {
        const QRect r = infoLabelRect(a, 200, c.y, 100, true);
        EXPECT_EQ(r.top(), c.top) << c.y;
        EXPECT_EQ(r.top() + r.height(), c.bottom) << c.y;
        EXPECT_EQ(r.width(), 150);
    }
    EXPECT_EQ(infoLabelRect(a, 390, 100, 100, false), QRect(350, 114, 50, 15));
    EXPECT_EQ(infoLabelText(1000, 1.41, 3.5, true), "1000 Hz 1.41 Q 3.5 dB");
    EXPECT_EQ(infoLabelText(1000, 1.41, -3.5, false), "-3.5 dB");
}

TEST(CurveGeometry, QFromDistanceIsHeldToItsRange)
{
    EXPECT_DOUBLE_EQ(qFromDistance(3, 100), 27.0);
    EXPECT_DOUBLE_EQ(qFromDistance(0, 100), 27.0);
    EXPECT_DOUBLE_EQ(qFromDistance(-81, 100), 1.0);
    EXPECT_DOUBLE_EQ(qFromDistance(162, 100), 0.5);
    EXPECT_DOUBLE_EQ(qFromDistance(5000, 100), 0.5);
    EXPECT_DOUBLE_EQ(qFromDistance(121, 150), 1.0);
    // A tiny scale makes the shortest distance 0 pixels: still a sound Q.
    EXPECT_DOUBLE_EQ(qFromDistance(0, 10), kMaxQ);
}

TEST(CurveTrace, TheStandardGridGivesExactly128Segments)
{
    CurveBand bands[] = {{1000, 6.0, 1.0, 1, 0}};
    ChannelCurve curve;
    UpdateChannelCurve({{80, 1, 4, 0}, {8000, 2, 4, 0}, bands}, false, curve);

    const PlotAxes a = PlotAxes::over(0, 0, 1000, 300);
    const CurveTrace trace =
        traceCurve(a, curve.frequency.data(), curve.magnitude.data(), curve.phase.data(), kCurvePointCount);
    ASSERT_EQ(trace.magnitude.size(), 386u);
    ASSERT_EQ(trace.phase.size(), 386u);
    // All but the last point go to the chain: the first, then three per segment.
    EXPECT_EQ((trace.magnitude.size() - 2) % 3, 0u);
    EXPECT_EQ((trace.magnitude.size() - 2) / 3, 128u);
    const QPainterPath path = bezierChain(trace.magnitude);
    for (int i = 1; i < path.elementCount(); ++i)
        ASSERT_NE(path.elementAt(i).type, QPainterPath::LineToElement) << i;
    // Highest frequency first; the 10..20 Hz points repeat the last point on the axis.
    EXPECT_GT(trace.magnitude.front().x(), trace.magnitude.back().x());
    EXPECT_EQ(trace.magnitude.back(), trace.magnitude[trace.magnitude.size() - 2]);
}

TEST(CurveTrace, PointsThatDoNotFillASegmentAreJoinedByLines)
{
    const std::vector<QPoint> points = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}};
    const QPainterPath path = bezierChain(points); // six used: one segment and two lines
    ASSERT_EQ(path.elementCount(), 1 + 3 + 2);
    EXPECT_EQ(path.elementAt(4).type, QPainterPath::LineToElement);
    EXPECT_TRUE(bezierChain({{0, 0}, {1, 1}}).isEmpty());
}

TEST(CurveTrace, OnlyPiecesWhollyBeyondOneEdgeAreLeftOut)
{
    const QRectF area(0, 0, 100, 50);
    std::vector<QLineF> lines = {
        {10, 10, 20, 20},   // inside
        {10, 40, 20, 400},  // leaves through the bottom
        {-5, 60, 105, -10}, // crosses the whole plot, ends outside
        {10, 60, 90, 400},  // below
        {-20, 10, -5, 40},  // left
        {120, 10, 130, 20}, // right
        {10, -30, 90, -1},  // above
    };
    cullOutside(lines, area);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], QLineF(-5, 60, 105, -10));
}

TEST(CurveTrace, DashesRunOnAcrossPieces)
{
    // 10 + 10 pixels along a bend: dash 4, gap 4 → dashes at 0..4, 8..12 (over the bend), 16..20.
    const std::vector<QLineF> dashes = dashed({{0, 0, 10, 0}, {10, 0, 10, 10}}, 4, 4);
    ASSERT_EQ(dashes.size(), 4u);
    EXPECT_EQ(dashes[0], QLineF(0, 0, 4, 0));
    EXPECT_EQ(dashes[1], QLineF(8, 0, 10, 0));
    EXPECT_EQ(dashes[2], QLineF(10, 0, 10, 2));
    EXPECT_EQ(dashes[3], QLineF(10, 6, 10, 10));
}

TEST(CurveLook, ColoursComeFromTheListInOrder)
{
    const CurveColors two = parseCurveColors("#FFFF0000 #FF0000FF");
    ASSERT_TRUE(two[0] && two[1]);
    EXPECT_EQ(*two[0], 0xFFFF0000u);
    EXPECT_EQ(*two[1], 0xFF0000FFu);
    EXPECT_FALSE(two[2]);

    CurveLook look;
    look.apply("curvecolor", QStringLiteral("#FFFF0000 #FF0000FF"));
    EXPECT_EQ(look.curveColor(1, false).rgba(), 0xFF0000FFu);
    EXPECT_EQ(look.curveColor(2, false).rgba(), 0xFF646464u);
    EXPECT_EQ(look.curveColor(2, true).rgba(), 0xFF00C000u);

    // A broken entry leaves its output without a colour; the next keeps its place.
    const CurveColors broken = parseCurveColors("#FF00FF00 #nothing #00FF00");
    EXPECT_FALSE(broken[1]);
    ASSERT_TRUE(broken[2]);
    EXPECT_EQ(*broken[2], 0xFF00FF00u);

    QString many;
    for (int i = 0; i < 14; ++i)
        many += QStringLiteral("#FF00000%1 ").arg(i % 10);
    const CurveColors twelve = parseCurveColors(many);
    EXPECT_TRUE(twelve[11]);
}

TEST(CurveLook, TextStyleFollowsTheLabelAttributes)
{
    CurveLook look;
    EXPECT_EQ(look.textFlags, int(Qt::AlignHCenter) | int(Qt::AlignVCenter) | int(Qt::TextSingleLine));
    look.apply("align", QStringLiteral("right"));
    look.apply("valign", QStringLiteral("bottom"));
    look.apply("wordbreak", QStringLiteral("true"));
    EXPECT_EQ(look.textFlags, int(Qt::AlignRight) | int(Qt::AlignBottom) | int(Qt::TextWordWrap));
    EXPECT_FALSE(look.apply("visible", true));
}

} // namespace
} // namespace dravo
