#include "CrossoverDesign.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace dravo;

namespace {

constexpr double kPi = std::numbers::pi;

double angleOf(double hz)
{
    return 2.0 * kPi * hz / 48000.0;
}

double betaFor(double damping, double w)
{
    return (2.0 - damping * std::sin(w)) / (2.0 + damping * std::sin(w));
}

double poleFor(double w)
{
    return (std::cos(w) + std::sin(w) - 1.0) / (std::cos(w) - std::sin(w) - 1.0);
}

struct Expected {
    double kind;
    double coef;
    double cosw;
};

struct DesignCase {
    const char* name;
    bool lowPass;
    double cutoff;
    int order;
    int type;
    std::vector<Expected> slots;  // the filled slots; the rest must be empty
};

void PrintTo(const DesignCase& c, std::ostream* os)
{
    *os << c.name;
}

class DesignCrossoverTest : public ::testing::TestWithParam<DesignCase> {};

TEST_P(DesignCrossoverTest, FillsSlotsInOrder)
{
    const DesignCase& c = GetParam();
    CrossoverSlots slots;
    DesignCrossover(c.lowPass, false, c.cutoff, c.order, c.type, slots);
    for (int i = 0; i < kCrossoverSlotCount; ++i) {
        SCOPED_TRACE(i);
        if (i < static_cast<int>(c.slots.size())) {
            EXPECT_EQ(slots.kind[i], c.slots[i].kind);
            EXPECT_NEAR(slots.coef[i], c.slots[i].coef, 5e-7);
            EXPECT_NEAR(slots.cosw[i], c.slots[i].cosw, 5e-7);
        } else {
            EXPECT_EQ(slots.kind[i], kSectionEmpty);
        }
    }
}

const double w1k = angleOf(1000);
// Bessel: the cutoff is phase-normalised, then each section moves by its
// own factor (values as tabulated for the delay-normalised prototypes).
const double wBessel4Lp0 = w1k * 0.3086066999 * 3.0232649388;
const double wBessel4Lp1 = w1k * 0.3086066999 * 3.3893657927;
const double wBessel3Hp0 = w1k / 0.4030076571 / 2.5415414011;
const double wBessel3Hp1 = w1k / 0.4030076571 / 2.3221853546;
const double w22k = angleOf(22000);

INSTANTIATE_TEST_SUITE_P(
    Designs, DesignCrossoverTest,
    ::testing::Values(
        DesignCase{"Butterworth4HighPass", false, 1000, 4, kFilterButterworth,
                   {{1.0, 0.7847733, 0.9914449}, {1.0, 0.9048522, 0.9914449}}},
        DesignCase{"Butterworth3LowPass", true, 1000, 3, kFilterButterworth,
                   {{1.0, 0.8774705, 0.9914449}, {0.0, -0.8769765, 0.9914449}}},
        DesignCase{"Butterworth1IsFirstOrderOnly", true, 1000, 1, kFilterButterworth,
                   {{0.0, poleFor(w1k), std::cos(w1k)}}},
        DesignCase{"LinkwitzRiley6IsThreeSecondOrderSections", true, 1000, 6, kFilterLinkwitzRiley,
                   {{1.0, betaFor(2, w1k), std::cos(w1k)},
                    {1.0, betaFor(1, w1k), std::cos(w1k)},
                    {1.0, betaFor(1, w1k), std::cos(w1k)}}},
        DesignCase{"LinkwitzRiley3DesignsOrder4", true, 1000, 3, kFilterLinkwitzRiley,
                   {{1.0, betaFor(1.4142135624, w1k), std::cos(w1k)},
                    {1.0, betaFor(1.4142135624, w1k), std::cos(w1k)}}},
        DesignCase{"LinkwitzRiley7DesignsOrder8", true, 1000, 7, kFilterLinkwitzRiley,
                   {{1.0, betaFor(1.847759065, w1k), std::cos(w1k)},
                    {1.0, betaFor(0.7653668647, w1k), std::cos(w1k)},
                    {1.0, betaFor(1.847759065, w1k), std::cos(w1k)},
                    {1.0, betaFor(0.7653668647, w1k), std::cos(w1k)}}},
        DesignCase{"LinkwitzRiley9IsHeldToOrder8", true, 1000, 9, kFilterLinkwitzRiley,
                   {{1.0, betaFor(1.847759065, w1k), std::cos(w1k)},
                    {1.0, betaFor(0.7653668647, w1k), std::cos(w1k)},
                    {1.0, betaFor(1.847759065, w1k), std::cos(w1k)},
                    {1.0, betaFor(0.7653668647, w1k), std::cos(w1k)}}},
        DesignCase{"Type0AnySlopeIsOneDampedSection", false, 1000, 7, kFilterFixedSecondOrder,
                   {{1.0, betaFor(1.0, w1k), std::cos(w1k)}}},
        DesignCase{"UnknownTypeIsUndamped", true, 1000, 2, 7, {{1.0, 1.0, std::cos(w1k)}}},
        DesignCase{"Bessel4LowPassUsesTables", true, 1000, 4, kFilterBessel,
                   {{1.0, betaFor(1.9159489237, wBessel4Lp0), std::cos(wBessel4Lp0)},
                    {1.0, betaFor(1.2414059301, wBessel4Lp1), std::cos(wBessel4Lp1)}}},
        DesignCase{"Bessel3HighPassRealPoleInSlot1", false, 1000, 3, kFilterBessel,
                   {{1.0, betaFor(1.4470803599, wBessel3Hp0), std::cos(wBessel3Hp0)},
                    {0.0, poleFor(wBessel3Hp1), std::cos(wBessel3Hp1)}}},
        // 20 kHz x 0.1581178777 x 6.9593116508 is 22008 Hz: held at 22 kHz.
        DesignCase{"BesselSectionAboveLimitIsHeld", true, 20000, 8, kFilterBessel,
                   {{1.0, betaFor(1.9763194659, angleOf(20000 * 0.1581178777 * 5.6548408694)),
                     std::cos(angleOf(20000 * 0.1581178777 * 5.6548408694))},
                    {1.0, betaFor(1.7869614419, angleOf(20000 * 0.1581178777 * 5.8253532155)),
                     std::cos(angleOf(20000 * 0.1581178777 * 5.8253532155))},
                    {1.0, betaFor(1.4067624418, angleOf(20000 * 0.1581178777 * 6.2104149036)),
                     std::cos(angleOf(20000 * 0.1581178777 * 6.2104149036))},
                    {1.0, betaFor(0.8158806765, w22k), std::cos(w22k)}}},
        DesignCase{"ZeroCutoffIsHeldAt0.0025Hz", true, 0, 2, kFilterButterworth,
                   {{1.0, betaFor(std::sqrt(2.0), angleOf(0.0025)), std::cos(angleOf(0.0025))}}},
        DesignCase{"CutoffAbove22kIsHeld", false, 30000, 2, kFilterButterworth,
                   {{1.0, betaFor(std::sqrt(2.0), w22k), std::cos(w22k)}}}),
    [](const ::testing::TestParamInfo<DesignCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == '.')
                ch = '_';
        return name;
    });

TEST(DesignCrossover, BypassAllLeavesEverySlotEmpty)
{
    CrossoverSlots slots;
    DesignCrossover(true, true, 1000, 8, kFilterButterworth, slots);
    for (double kind : slots.kind)
        EXPECT_EQ(kind, kSectionEmpty);
}

TEST(DesignCrossover, OrderRules)
{
    struct Case {
        int order, type, designed;
    };
    const Case cases[] = {
        {3, kFilterLinkwitzRiley, 4}, {7, kFilterLinkwitzRiley, 8}, {9, kFilterLinkwitzRiley, 8},
        {5, kFilterFixedSecondOrder, 2}, {0, kFilterButterworth, 1}, {-3, kFilterBessel, 1},
        {12, kFilterButterworth, 8}, {5, kFilterBessel, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(crossoverDesignOrder(c.order, c.type), c.designed) << c.order << "/" << c.type;
}

TEST(CrossoverSectionCoefficients, FollowTheSectionKindAndSide)
{
    const CrossoverSection second{0.8, 0.5, kSectionSecondOrder};
    const BiquadCoefficients hp = crossoverSectionCoefficients(second, false);
    const BiquadCoefficients lp = crossoverSectionCoefficients(second, true);
    const double fHp = 1.8 * 1.5 / 4, fLp = 1.8 * 0.5 / 4;
    EXPECT_DOUBLE_EQ(hp.b[0], fHp);
    EXPECT_DOUBLE_EQ(hp.b[1], -2 * fHp);
    EXPECT_DOUBLE_EQ(hp.b[2], fHp);
    EXPECT_DOUBLE_EQ(lp.b[0], fLp);
    EXPECT_DOUBLE_EQ(lp.b[1], 2 * fLp);
    EXPECT_DOUBLE_EQ(lp.b[2], fLp);
    EXPECT_DOUBLE_EQ(lp.a[1], -1.8 * 0.5);
    EXPECT_DOUBLE_EQ(lp.a[2], 0.8);

    const CrossoverSection first{-0.6, 0.5, kSectionFirstOrder};
    const BiquadCoefficients hp1 = crossoverSectionCoefficients(first, false);
    const BiquadCoefficients lp1 = crossoverSectionCoefficients(first, true);
    EXPECT_DOUBLE_EQ(hp1.b[0], 0.8);
    EXPECT_DOUBLE_EQ(hp1.b[1], -0.8);
    EXPECT_DOUBLE_EQ(lp1.b[0], 0.2);
    EXPECT_DOUBLE_EQ(lp1.b[1], 0.2);
    EXPECT_DOUBLE_EQ(lp1.a[1], -0.6);
    EXPECT_EQ(lp1.b[2], 0.0);
    EXPECT_EQ(lp1.a[2], 0.0);
}

} // namespace
