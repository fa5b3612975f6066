#include "BandDesign.h"
#include "ChannelCurve.h"
#include "CrossoverResponse.h"
#include "FilterFamily.h"
#include "LiteralChannelCurve.h"
#include "ResponseEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace dravo;
using dravo::test::literalChannelCurve;
using dravo::test::scaledPhaseDistance;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr int N = kCurvePointCount;

CurveFilter off()
{
    return {};
}

CurveFilter filter(int fs, int slope, int type)
{
    return {fs, type, slope, slope == 0 ? 1 : 0};
}

TEST(WrapScaledPhase, WrapsIntoHalfATurnEachWay)
{
    struct Case {
        double radians;
        double scaled;
    };
    const Case cases[] = {
        {0.0, 0.0},          {kPi / 2, 6.0},      {-kPi / 2, -6.0},   {kPi, 12.0},
        {-kPi, -12.0},       {3 * kPi, 12.0},     {-3 * kPi / 2, 6.0}, {5 * kPi / 2, 6.0},
        {-7 * kPi / 2, 6.0}, {40 * kPi + 1, 12.0 / kPi},
    };
    for (const Case& c : cases) {
        const double w = wrapScaledPhase(c.radians);
        EXPECT_GE(w, -12.0);
        EXPECT_LE(w, 12.0);
        EXPECT_LT(scaledPhaseDistance(w, c.scaled), 1e-9) << c.radians;
    }
}

TEST(UpdateChannelCurve, NoFiltersAndFlatBandsGiveAFlatCurve)
{
    std::vector<CurveBand> bands(31);
    for (int i = 0; i < 31; ++i)
        bands[i] = {100 + 600 * i, 0.0, 5.8, 1, 0};
    ChannelCurve curve;
    UpdateChannelCurve({off(), off(), bands}, false, curve);
    for (int k = 0; k < N; ++k) {
        EXPECT_EQ(curve.frequency[k], standardFrequencyGrid()[k]);
        EXPECT_NEAR(curve.magnitude[k], 0.0, 1e-12);
        EXPECT_NEAR(curve.phase[k], 0.0, 1e-12);
    }
}

TEST(UpdateChannelCurve, BypassedHighPassLeavesLowPassPlusBands)
{
    // The high-pass section has a slope, but its bypass flag rules.
    const CurveFilter hp{5000, kFilterButterworth, 8, 1};
    const CurveFilter lp = filter(8000, 4, kFilterLinkwitzRiley);
    const std::vector<CurveBand> bands = {{1000, 6.0, 2.0, 1, 0}, {300, -4.0, 1.0, 1, 0}};
    ChannelCurve curve;
    UpdateChannelCurve({hp, lp, bands}, false, curve);

    const CurveGrid& grid = standardFrequencyGrid();
    std::vector<double> mag(N), phase(N), bm(N), bp(N);
    CrossoverResponse(true, 8000, 4, kFilterLinkwitzRiley, N, grid.data(), mag.data(), phase.data());
    for (const CurveBand& b : bands) {
        BandResponse(48000, b.freq, b.gainDb, b.q, grid.data(), bm.data(), bp.data(), N, b.type);
        for (int k = 0; k < N; ++k) {
            mag[k] += bm[k];
            phase[k] += bp[k];
        }
    }
    for (int k = 0; k < N; ++k) {
        EXPECT_NEAR(curve.magnitude[k], mag[k], 1e-9) << k;
        EXPECT_LT(scaledPhaseDistance(curve.phase[k], wrapScaledPhase(phase[k])), 1e-9) << k;
    }
}

TEST(UpdateChannelCurve, EqBypassFlattensPeakingButKeepsAllpassPhase)
{
    const std::vector<CurveBand> bands = {{1000, 9.0, 2.0, 1, kBandPeaking}, {3000, 0.0, 4.0, 1, kBandAllpass}};
    const std::vector<CurveBand> allpassOnly = {bands[1]};
    ChannelCurve bypassed, reference;
    UpdateChannelCurve({off(), off(), bands}, true, bypassed);
    UpdateChannelCurve({off(), off(), allpassOnly}, false, reference);
    bool phaseMoves = false;
    for (int k = 0; k < N; ++k) {
        EXPECT_NEAR(bypassed.magnitude[k], 0.0, 1e-9) << k;
        EXPECT_LT(scaledPhaseDistance(bypassed.phase[k], reference.phase[k]), 1e-9) << k;
        phaseMoves |= std::fabs(bypassed.phase[k]) > 1.0;
    }
    EXPECT_TRUE(phaseMoves);
}

TEST(UpdateChannelCurve, DisabledBandIsDrawnFlat)
{
    const std::vector<CurveBand> bands = {{1000, 9.0, 2.0, 0, kBandPeaking}};
    ChannelCurve curve;
    UpdateChannelCurve({off(), off(), bands}, false, curve);
    for (int k = 0; k < N; ++k)
        EXPECT_NEAR(curve.magnitude[k], 0.0, 1e-12) << k;
}

TEST(UpdateChannelCurve, SectionsBelowTheFloorCountAsMinus400dBEach)
{
    // A steep high-pass near the top: at the lowest points each of its four
    // sections is under the floor on its own.
    ChannelCurve curve, literal;
    const ChannelFilters f{filter(20000, 8, kFilterButterworth), off(), {}};
    UpdateChannelCurve(f, false, curve);
    literalChannelCurve(f, false, literal);
    EXPECT_NEAR(curve.magnitude[0], 4 * responseFloorDb(), 1e-9);
    EXPECT_EQ(curve.phase[0], 0.0);
    EXPECT_NEAR(curve.magnitude[0], literal.magnitude[0], 1e-9);
}

// Random channels, drawn from the ranges the model holds and a little beyond
// (stray types, inconsistent bypass flags, cutoffs outside the limits).
struct RandomChannel {
    CurveFilter hp, lp;
    std::vector<CurveBand> bands;
    bool eqBypassed = false;
};

RandomChannel randomChannel(std::mt19937& rng)
{
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto integer = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto logFrequency = [&] { return static_cast<int>(std::lround(std::pow(10.0, uniform(std::log10(20.0), std::log10(20000.0))))); };
    auto randomFilter = [&] {
        CurveFilter f;
        const int pick = integer(0, 19);
        f.fs = pick == 0 ? 0 : pick == 1 ? 30000 : logFrequency();
        f.type = integer(0, 9) == 0 ? integer(0, 5) : integer(1, 3);
        f.slope = integer(0, 9);
        f.bypass = integer(0, 9) == 0 ? integer(0, 1) : (f.slope == 0 ? 1 : 0);
        return f;
    };
    RandomChannel c;
    c.hp = randomFilter();
    c.lp = randomFilter();
    c.eqBypassed = integer(0, 9) == 0;
    const int count = integer(0, 9) == 0 ? integer(0, 31) : 31;
    for (int i = 0; i < count; ++i) {
        CurveBand b;
        b.freq = logFrequency();
        b.type = integer(0, 5) == 0 ? integer(0, 2) : 0;
        b.gainDb = (b.type == 0 && integer(0, 3) != 0) ? std::round(uniform(-18, 12) * 10) / 10 : 0.0;
        b.q = uniform(0.404, 28.852);
        b.enable = integer(0, 9) == 0 ? 0 : 1;
        c.bands.push_back(b);
    }
    return c;
}

TEST(UpdateChannelCurve, MatchesTheSectionBySectionSumOnRandomChannels)
{
    std::mt19937 rng(20240611);
    double worstDb = 0.0, worstPhase = 0.0;
    for (int run = 0; run < 400; ++run) {
        const RandomChannel c = randomChannel(rng);
        const ChannelFilters f{c.hp, c.lp, c.bands};
        ChannelCurve fast, literal;
        UpdateChannelCurve(f, c.eqBypassed, fast);
        literalChannelCurve(f, c.eqBypassed, literal);
        for (int k = 0; k < N; ++k) {
            ASSERT_GE(fast.phase[k], -12.0);
            ASSERT_LE(fast.phase[k], 12.0);
            const double dDb = std::fabs(fast.magnitude[k] - literal.magnitude[k]);
            const double dPhase = scaledPhaseDistance(fast.phase[k], literal.phase[k]);
            worstDb = std::max(worstDb, dDb);
            worstPhase = std::max(worstPhase, dPhase);
            ASSERT_LE(dDb, 1e-9) << "run " << run << " point " << k << " hp " << c.hp.fs << "/"
                                 << c.hp.slope << "/" << c.hp.type << " lp " << c.lp.fs << "/"
                                 << c.lp.slope << "/" << c.lp.type;
            ASSERT_LE(dPhase, 1e-9) << "run " << run << " point " << k;
        }
    }
    RecordProperty("worstDb", std::to_string(worstDb));
    RecordProperty("worstPhase", std::to_string(worstPhase));
}

TEST(UpdateChannelCurve, AbsurdGainsStayFinite)
{
    // A profile file can carry any gain; the products must not overflow
    // where the per-section sum stays finite.
    std::vector<CurveBand> bands;
    for (int i = 0; i < 31; ++i)
        bands.push_back({1000, i % 2 ? 600.0 : 700.0, 0.5, 1, 0});
    std::vector<CurveBand> cuts = bands;
    for (CurveBand& b : cuts)
        b.gainDb = -b.gainDb;
    for (const auto* set : {&bands, &cuts}) {
        ChannelCurve fast, literal;
        UpdateChannelCurve({off(), off(), *set}, false, fast);
        literalChannelCurve({off(), off(), *set}, false, literal);
        for (int k = 0; k < N; ++k) {
            ASSERT_TRUE(std::isfinite(fast.magnitude[k])) << k;
            EXPECT_NEAR(fast.magnitude[k], literal.magnitude[k], 1e-6 * std::fabs(literal.magnitude[k]) + 1e-9) << k;
        }
    }
}

} // namespace
