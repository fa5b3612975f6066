#include "EditingRulesValues.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dravo::test {
namespace {

TEST(EditValues, FrequencyText)
{
    const struct {
        const char* text;
        std::optional<int> hz;
    } cases[] = {
        {"1k5", 1500}, {"2k25", 2200}, {"1K", 1000}, {"80Hz", 80}, {"25000", 25000},
        {" 630 ", 630}, {"Hz", std::nullopt}, {"k5", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFrequencyText(c.text), c.hz) << c.text;
}

TEST(EditValues, LogarithmicStepStaysAtTheEndsAndNeverStalls)
{
    EXPECT_EQ(LogFrequencyStep(20000, true), 20000);
    EXPECT_EQ(LogFrequencyStep(20, false), 20);
    // 21 Hz one step up rounds back to 21: the double step gets off it.
    EXPECT_EQ(LogFrequencyStep(21, true), 22);

    // Walking the whole grid up and back down moves every time and ends at the ends.
    for (const bool up : {true, false}) {
        int hz = up ? 20 : 20000;
        int steps = 0;
        while (hz != (up ? 20000 : 20) && steps < 250) {
            const int next = LogFrequencyStep(hz, up);
            ASSERT_TRUE(up ? next > hz : next < hz) << hz;
            hz = next;
            ++steps;
        }
        EXPECT_LE(steps, 200);
        EXPECT_EQ(hz, up ? 20000 : 20);
    }
}

TEST(EditValues, LevelBoxShowsSixDbUpCutToHalfDecibels)
{
    const struct {
        int tenths;
        const char* text;
    } cases[] = {
        {-123, "-6.0dB"}, {-600, "${off}"}, {0, "6.0dB"}, {-5, "5.5dB"}, {-62, "0.0dB"}, {-599, "-53.5dB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LevelText(c.tenths), c.text) << c.tenths;

    EXPECT_EQ(LevelTenthsFromText("${off}", "OFF"), -600);
    EXPECT_EQ(LevelTenthsFromText("off", "OFF"), -600);
    EXPECT_EQ(LevelTenthsFromText("-6.0dB", "OFF"), -120);
    EXPECT_EQ(LevelTenthsFromText("loud", "OFF"), std::nullopt);
}

TEST(EditValues, DelayUnits)
{
    const struct {
        double typed;
        DelayUnit unit;
        float ms;
        const char* text;
    } cases[] = {
        {520, DelayUnit::Cm, 15.0f, "519 cm"},
        {3.2, DelayUnit::Cm, 3 * 15.0f / 519, "3 cm"},
        {-4, DelayUnit::Cm, 0.0f, "0 cm"},
        {205, DelayUnit::Inch, 15.0f, "204 in"},
        {16, DelayUnit::Ms, 15.0f, "15.000 ms"},
        {1.2344, DelayUnit::Ms, 1.2344f, "1.234 ms"},
    };
    for (const auto& c : cases) {
        const float ms = QuantiseDelay(DelayFromUnit(c.typed, c.unit), c.unit);
        EXPECT_NEAR(ms, c.ms, 1e-5) << c.typed;
        EXPECT_EQ(DelayText(ms, c.unit), c.text) << c.typed;
    }
    // A delay in cm mode is always a whole number of centimetres.
    EXPECT_NEAR(QuantiseDelay(1.0f, DelayUnit::Cm), 35 * 15.0f / 519, 1e-5);
}

} // namespace
} // namespace dravo::test
