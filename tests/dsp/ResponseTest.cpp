#include "BandDesign.h"
#include "CrossoverResponse.h"
#include "FilterFamily.h"
#include "FrequencyGrid.h"
#include "ResponseEvaluator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace dravo;

namespace {

constexpr double kPi = std::numbers::pi;

// A grid that reads the response at one frequency: the evaluator takes its
// Nyquist reference from the second-to-last point.
std::vector<double> gridAt(double hz)
{
    return {hz, 24000.0, 48000.0};
}

TEST(FrequencyGrid, LogSpacedUpToNyquistThenTheSampleRate)
{
    const CurveGrid& g = standardFrequencyGrid();
    EXPECT_NEAR(g[0], std::pow(24000.0, 1.0 / 511.0), 1e-12);
    EXPECT_NEAR(g[0], 1.0199, 1e-4);
    EXPECT_NEAR(g[510], 24000.0, 1e-9);
    EXPECT_EQ(g[511], 48000.0);
    for (int i = 1; i < kCurvePointCount; ++i)
        ASSERT_GT(g[i], g[i - 1]) << i;
    // Equal ratios between neighbours below Nyquist.
    EXPECT_NEAR(g[300] / g[299], g[1] / g[0], 1e-12);
}

TEST(EvaluateResponse, FloorsASectionAtOrBelowTheLimit)
{
    struct Case {
        double b0;
        double magDb;
        double phase;
    };
    // |b0|^2 against 1e-8: below, at and just above the limit.
    const Case cases[] = {
        {0.9999e-4, -400.0, 0.0},
        {-0.9999e-4, -400.0, 0.0},
        {1e-4 * (1 + 1e-6), 10 * std::log10(1e-8 * (1 + 1e-6) * (1 + 1e-6)), 0.0},
        {-2e-4, 20 * std::log10(2e-4), kPi},
        {0.0, -400.0, 0.0},
    };
    const std::vector<double> grid = gridAt(1000);
    for (const Case& c : cases) {
        const double b[3] = {c.b0, 0, 0};
        const double a[3] = {1, 0, 0};
        double mag[3], phase[3];
        EvaluateResponse(b, a, 2, 1, mag, grid.data(), phase, 3, ResponseMode::Decibel);
        EXPECT_NEAR(mag[0], c.magDb, 1e-9) << c.b0;
        EXPECT_NEAR(std::fabs(phase[0]), c.phase, 1e-12) << c.b0;
    }
    EXPECT_NEAR(responseFloorDb(), -400.0, 1e-12);
}

TEST(EvaluateResponse, NaNSectionReadsAsTheFloor)
{
    const double b[3] = {std::nan(""), 0, 0};
    const double a[3] = {1, 0, 0};
    const std::vector<double> grid = gridAt(1000);
    double mag[3], phase[3];
    EvaluateResponse(b, a, 2, 1, mag, grid.data(), phase, 3, ResponseMode::Decibel);
    EXPECT_NEAR(mag[0], -400.0, 1e-12);
    EXPECT_EQ(phase[0], 0.0);
}

TEST(EvaluateResponse, LinearModeGivesMagnitudeAndNoPhaseForAZero)
{
    const std::vector<double> grid = gridAt(1000);
    const double a[3] = {1, 0, 0};
    double mag[3], phase[3];
    const double b[3] = {-0.5, 0, 0};
    EvaluateResponse(b, a, 2, 1, mag, grid.data(), phase, 3, ResponseMode::Linear);
    EXPECT_DOUBLE_EQ(mag[0], 0.5);
    EXPECT_NEAR(std::fabs(phase[0]), kPi, 1e-12);
    const double zero[3] = {0, 0, 0};
    EvaluateResponse(zero, a, 2, 1, mag, grid.data(), phase, 3, ResponseMode::Linear);
    EXPECT_EQ(mag[0], 0.0);
    EXPECT_EQ(phase[0], 0.0);
}

TEST(EvaluateResponse, MultipliesSectionsAndTakesPiPerNyquist)
{
    // Two pure delays z^-1 at half the Nyquist frequency: -pi/2 each.
    const double b[6] = {0, 1, 0, 0, 1, 0};
    const double a[6] = {1, 0, 0, 1, 0, 0};
    const std::vector<double> grid = gridAt(12000);
    double mag[3], phase[3];
    EvaluateResponse(b, a, 2, 2, mag, grid.data(), phase, 3, ResponseMode::Decibel);
    EXPECT_NEAR(mag[0], 0.0, 1e-12);
    EXPECT_NEAR(std::fabs(phase[0]), kPi, 1e-12);
}

TEST(CrossoverResponse, LevelAtTheCorner)
{
    struct Case {
        int selector;
        int order;
        int type;
        double expectedDb;
    };
    const Case cases[] = {
        {kSelectLowPass, 4, kFilterLinkwitzRiley, -6.0206},
        {kSelectHighPass, 4, kFilterLinkwitzRiley, -6.0206},
        {kSelectLowPass, 2, kFilterButterworth, -3.0103},
        {kSelectHighPass, 2, kFilterButterworth, -3.0103},
        {kSelectLowPass, 8, kFilterButterworth, -3.0103},
        {kSelectHighPass, 5, kFilterButterworth, -3.0103},
    };
    const std::vector<double> grid = gridAt(1000);
    for (const Case& c : cases) {
        double mag[3], phase[3];
        CrossoverResponseFor(c.selector, 1000, c.order, c.type, 3, grid.data(), mag, phase);
        EXPECT_NEAR(mag[0], c.expectedDb, 2e-4) << c.selector << " " << c.order << " " << c.type;
    }
}

TEST(CrossoverResponse, PassesAndStopsOnTheRightSide)
{
    const CurveGrid& grid = standardFrequencyGrid();
    std::vector<double> lp(kCurvePointCount), hp(kCurvePointCount), phase(kCurvePointCount);
    CrossoverResponse(true, 1000, 4, kFilterLinkwitzRiley, kCurvePointCount, grid.data(), lp.data(), phase.data());
    CrossoverResponse(false, 1000, 4, kFilterLinkwitzRiley, kCurvePointCount, grid.data(), hp.data(), phase.data());
    // At 100 Hz and at 10 kHz: 24 dB per octave, over 3.3 octaves.
    const auto low = std::lower_bound(grid.begin(), grid.end(), 100.0) - grid.begin();
    const auto high = std::lower_bound(grid.begin(), grid.end(), 10000.0) - grid.begin();
    EXPECT_NEAR(lp[low], 0.0, 0.01);
    EXPECT_LT(lp[high], -75.0);
    EXPECT_NEAR(hp[high], 0.0, 0.01);
    EXPECT_LT(hp[low], -75.0);
}

TEST(PeakingCoefficients, KnownBoostAndCut)
{
    double a[3], b[3];
    PeakingCoefficients(48000, 1000, 6, 1, a, b);
    const double boostA[3] = {1, -1.861183, 0.877243}, boostB[3] = {1.061088, -1.861183, 0.816156};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(a[i], boostA[i], 1e-6);
        EXPECT_NEAR(b[i], boostB[i], 1e-6);
    }
    PeakingCoefficients(48000, 1000, -6, 1, a, b);
    const double cutA[3] = {1, -1.754033, 0.769169}, cutB[3] = {0.942429, -1.754033, 0.826740};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(a[i], cutA[i], 1e-6);
        EXPECT_NEAR(b[i], cutB[i], 1e-6);
    }
}

TEST(BandResponse, PeakingReadsItsGainAtTheCentre)
{
    const std::vector<double> grid = gridAt(1000);
    for (double gain : {6.0, -6.0, 12.0, -18.0, 0.5}) {
        for (double q : {0.404, 1.0, 5.8, 28.852}) {
            double mag[3], phase[3];
            BandResponse(48000, 1000, gain, q, grid.data(), mag, phase, 3, kBandPeaking);
            EXPECT_NEAR(mag[0], gain, 1e-9) << gain << " " << q;
        }
    }
}

TEST(BandResponse, ZeroGainIsFlatAndBoostCancelsCut)
{
    const CurveGrid& grid = standardFrequencyGrid();
    std::vector<double> m0(kCurvePointCount), p0(kCurvePointCount);
    std::vector<double> up(kCurvePointCount), upPhase(kCurvePointCount);
    std::vector<double> down(kCurvePointCount), downPhase(kCurvePointCount);
    BandResponse(48000, 250, 0, 2.5, grid.data(), m0.data(), p0.data(), kCurvePointCount, kBandPeaking);
    BandResponse(48000, 250, 6, 2.5, grid.data(), up.data(), upPhase.data(), kCurvePointCount, kBandPeaking);
    BandResponse(48000, 250, -6, 2.5, grid.data(), down.data(), downPhase.data(), kCurvePointCount, kBandPeaking);
    for (int k = 0; k < kCurvePointCount; ++k) {
        EXPECT_NEAR(m0[k], 0.0, 1e-12) << k;
        EXPECT_NEAR(p0[k], 0.0, 1e-12) << k;
        EXPECT_NEAR(up[k] + down[k], 0.0, 1e-9) << k;
        EXPECT_NEAR(upPhase[k] + downPhase[k], 0.0, 1e-9) << k;
    }
}

TEST(BandResponse, AllpassIsFlatWithHalfATurnAtTheCentre)
{
    const CurveGrid& grid = standardFrequencyGrid();
    std::vector<double> mag(kCurvePointCount), phase(kCurvePointCount);
    // The gain is ignored by an all-pass.
    BandResponse(48000, 2000, 9, 3, grid.data(), mag.data(), phase.data(), kCurvePointCount, kBandAllpass);
    for (int k = 0; k < kCurvePointCount; ++k)
        EXPECT_NEAR(mag[k], 0.0, 1e-9) << k;

    const std::vector<double> centre = gridAt(2000);
    double m[3], p[3];
    BandResponse(48000, 2000, 0, 3, centre.data(), m, p, 3, kBandAllpass);
    EXPECT_NEAR(std::fabs(p[0]), kPi, 1e-9);
}

TEST(BandResponse, OtherTypesDrawAsPeaking)
{
    const std::vector<double> grid = gridAt(1000);
    double m[3], p[3];
    BandResponse(48000, 1000, 3, 1, grid.data(), m, p, 3, 2);
    EXPECT_NEAR(m[0], 3.0, 1e-9);
}

} // namespace
