#include "Crossover.h"
#include "ModelSizes.h"

#include <gtest/gtest.h>

using namespace dravo;

namespace {

TEST(FilterSection, FreshSections)
{
    EXPECT_EQ(FilterSection::highPass(), (FilterSection{20, 1, 0, 1}));
    EXPECT_EQ(FilterSection::lowPass(), (FilterSection{20000, 1, 0, 1}));
}

TEST(FilterSection, FrequencySetterFallsBackTo20HzOnEitherSide)
{
    struct Case {
        int in, stored;
    };
    const Case cases[] = {{10, 20}, {19, 20}, {20, 20}, {1000, 1000}, {20000, 20000}, {20001, 20}, {25000, 20}, {-5, 20}};
    for (const Case& c : cases) {
        FilterSection lp = FilterSection::lowPass();
        lp.setFrequency(c.in);
        EXPECT_EQ(lp.fs, c.stored) << c.in;
        FilterSection hp = FilterSection::highPass();
        hp.setFrequency(c.in);
        EXPECT_EQ(hp.fs, c.stored) << c.in;
    }
}

TEST(FilterSection, TypeSetterKeepsOneToThree)
{
    const int in[] = {-1, 0, 1, 2, 3, 4};
    const int stored[] = {1, 1, 1, 2, 3, 1};
    for (int i = 0; i < 6; ++i) {
        FilterSection s;
        s.setType(2);
        s.setType(in[i]);
        EXPECT_EQ(s.type, stored[i]) << in[i];
    }
}

TEST(FilterSection, SlopeSetterKeepsBypassInStep)
{
    struct Case {
        int in, slope, bypass;
    };
    const Case cases[] = {{-3, 0, 1}, {0, 0, 1}, {1, 1, 0}, {8, 8, 0}, {9, 9, 0}};
    for (const Case& c : cases) {
        FilterSection s;
        s.setSlope(c.in == 0 ? 4 : 0);  // start from the opposite state
        s.setSlope(c.in);
        EXPECT_EQ(s.slope, c.slope) << c.in;
        EXPECT_EQ(s.bypass, c.bypass) << c.in;
    }
}

TEST(Crossover, PassTypeFollowsTheSlopes)
{
    EXPECT_EQ(Crossover::build(20, 0, 20000, 0, 2).bpType, kPassAll);
    EXPECT_EQ(Crossover::build(80, 4, 20000, 0, 2).bpType, kPassHighOnly);
    EXPECT_EQ(Crossover::build(20, 0, 80, 4, 2).bpType, kPassLowOnly);
    EXPECT_EQ(Crossover::build(80, 4, 500, 2, 2).bpType, kPassBand);
    EXPECT_EQ(Crossover::build(80, -2, 500, 0, 2).bpType, kPassAll);
}

TEST(Crossover, DefaultsByRole)
{
    struct Case {
        int role;
        int hpFs, hpSlope, lpFs, lpSlope, bpType;
    };
    const Case cases[] = {
        {0, 20, 0, 20000, 0, 0},     {1, 3500, 2, 20000, 0, 1}, {7, 3500, 2, 20000, 0, 1},
        {2, 500, 2, 3500, 2, 3},     {8, 500, 2, 3500, 2, 3},   {3, 80, 4, 500, 2, 3},
        {9, 80, 4, 500, 2, 3},       {4, 500, 2, 20000, 0, 1},  {10, 500, 2, 20000, 0, 1},
        {5, 80, 4, 500, 2, 3},       {11, 80, 4, 500, 2, 3},    {6, 20, 0, 20000, 0, 0},
        {12, 20, 0, 20000, 0, 0},    {13, 3500, 2, 20000, 0, 1}, {16, 3500, 2, 20000, 0, 1},
        {19, 3500, 2, 20000, 0, 1},  {14, 80, 4, 500, 2, 3},    {17, 80, 4, 500, 2, 3},
        {20, 80, 4, 500, 2, 3},      {15, 20, 4, 20000, 0, 1},  {18, 20, 4, 20000, 0, 1},
        {21, 20, 4, 20000, 0, 1},    {22, 20, 0, 80, 4, 2},     {23, 20, 0, 80, 4, 2},
        {24, 20, 0, 80, 4, 2},       {25, 20, 0, 20000, 0, 0},  {-1, 20, 0, 20000, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.role);
        const Crossover x = defaultCrossoverForRole(c.role);
        EXPECT_EQ(x.hp.fs, c.hpFs);
        EXPECT_EQ(x.hp.slope, c.hpSlope);
        EXPECT_EQ(x.hp.bypass, c.hpSlope == 0 ? 1 : 0);
        EXPECT_EQ(x.lp.fs, c.lpFs);
        EXPECT_EQ(x.lp.slope, c.lpSlope);
        EXPECT_EQ(x.lp.bypass, c.lpSlope == 0 ? 1 : 0);
        EXPECT_EQ(x.hp.type, 2);
        EXPECT_EQ(x.lp.type, 2);
        EXPECT_EQ(x.bpType, c.bpType);
    }
}

} // namespace
