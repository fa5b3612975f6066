#include "SenceCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace dravo;

namespace {

TEST(SenceCurve, DrawsTheOutputsFiltersAndBandsInUse)
{
    SenceConfig s;
    s.channels[5].eqSize = 3;
    s.bands[5][0] = EqBand{6.0f, 1.0f, 1000, 1, 0};
    s.bands[5][1] = EqBand{-4.0f, 2.0f, 200, 0, 0};
    s.bands[5][2] = EqBand{0.0f, 3.0f, 5000, 1, 1};
    s.bands[5][3] = EqBand{12.0f, 1.0f, 300, 1, 0};  // beyond eqSize: not drawn
    const Crossover& x = s.channels[5].crossover;

    ChannelCurve got;
    ASSERT_TRUE(computeChannelCurve(s, 5, false, got));

    const std::vector<CurveBand> bands = {{1000, 6.0, 1.0, 1, 0}, {200, -4.0, 2.0, 0, 0}, {5000, 0.0, 3.0, 1, 1}};
    const ChannelFilters f{{x.hp.fs, x.hp.type, x.hp.slope, x.hp.bypass},
                           {x.lp.fs, x.lp.type, x.lp.slope, x.lp.bypass},
                           bands};
    ChannelCurve expected;
    UpdateChannelCurve(f, false, expected);
    EXPECT_EQ(got.magnitude, expected.magnitude);
    EXPECT_EQ(got.phase, expected.phase);
    EXPECT_EQ(got.frequency, expected.frequency);
}

TEST(SenceCurve, OutputOutsideTheRangeLeavesTheCurve)
{
    const SenceConfig s;
    ChannelCurve curve;
    curve.magnitude.fill(7.0);
    EXPECT_FALSE(computeChannelCurve(s, 12, false, curve));
    EXPECT_FALSE(computeChannelCurve(s, -1, false, curve));
    EXPECT_EQ(curve.magnitude[100], 7.0);
}

TEST(SenceCurve, OversizedBandCountDrawsTheWholeRowOnly)
{
    SenceConfig s;
    s.channels[0].eqSize = 1000;
    for (BandRow::size_type b = 0; b < s.bands[0].size(); ++b)
        s.bands[0][b].eqGain = 1.0f;
    ChannelCurve curve;
    ASSERT_TRUE(computeChannelCurve(s, 0, false, curve));
    for (double m : curve.magnitude)
        ASSERT_TRUE(std::isfinite(m));
}

} // namespace
