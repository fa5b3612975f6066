// The fixed-point rules: truncation toward zero, the sign carried by the
// fraction, and the range cut of channel groups.
#include "WireScaling.h"
#include "RangeRequest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

namespace dravo {
// Readable failure messages.
inline void PrintTo(const SplitValue& v, std::ostream* os)
{
    *os << "{" << v.whole << ", " << v.fraction << "}";
}
inline void PrintTo(const EqGainBytes& v, std::ostream* os)
{
    *os << "{0x" << std::hex << int(v.typeAndGain) << ", " << std::dec << int(v.tenths) << "}";
}
} // namespace dravo

using namespace dravo;

namespace {

struct SplitCase {
    float value;
    SplitValue tenths, hundredths;
};

// Each row also pins the float arithmetic: 0.7 must give 7 tenths, not 6.
const std::vector<SplitCase> kSignedSplits = {
    {-12.5f, {-12, -5}, {-12, -50}}, {12.25f, {12, 2}, {12, 25}}, {3.5f, {3, 5}, {3, 50}},
    {0.7f, {0, 7}, {0, 70}},         {-0.7f, {0, -7}, {0, -70}},  {-1.25f, {-1, -2}, {-1, -25}},
    {79.5f, {79, 5}, {79, 50}},      {0.29f, {0, 2}, {0, 29}},    {0.0f, {0, 0}, {0, 0}},
};

TEST(WireScaling, TenthsAndHundredthsTruncateTowardZeroWithTheValuesSign)
{
    for (const SplitCase& c : kSignedSplits) {
        EXPECT_EQ(splitTenths(c.value), c.tenths) << c.value;
        EXPECT_EQ(splitHundredths(c.value), c.hundredths) << c.value;
    }
}

// Delays (0..15 ms) and Q values (0.404..28.852) are all this rule meets.
TEST(WireScaling, ThousandthsOfDelaysAndQ)
{
    const std::vector<std::pair<float, SplitValue>> cases = {
        {1.414f, {1, 414}}, {1.5f, {1, 500}},     {14.999f, {14, 999}}, {0.021f, {0, 21}},
        {0.404f, {0, 404}}, {28.852f, {28, 852}}, {15.0f, {15, 0}},     {5.8f, {5, 800}},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(splitThousandths(value), expected) << value;
}

TEST(WireScaling, MillisecondsBecomeSecondsAndTenths)
{
    EXPECT_EQ(splitMillisecondsAsSecondTenths(30000), (SplitValue{30, 0}));
    EXPECT_EQ(splitMillisecondsAsSecondTenths(1599), (SplitValue{1, 5}));
    EXPECT_EQ(splitMillisecondsAsSecondTenths(700), (SplitValue{0, 7}));
    EXPECT_EQ(splitMillisecondsAsSecondTenths(99), (SplitValue{0, 0}));
}

TEST(WireScaling, EqGainSharesItsByteWithTheBandType)
{
    struct Case {
        float gain;
        int type;
        EqGainBytes expected;
    };
    const Case cases[] = {
        {-3.0f, 1, {0x2F, 0}}, {-18.0f, 0, {0x00, 0}}, {12.0f, 7, {0xFE, 0}},
        {-3.3f, 2, {0x4E, 7}}, {-2.95f, 0, {0x0F, 0}}, // 15.05 dB above the floor: the tenths digit is truncated
        {0.0f, 9, {0x32, 0}}, // a type beyond 3 bits does not spill into the gain
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeEqGain(c.gain, c.type), c.expected) << c.gain << " type " << c.type;
}

TEST(WireScaling, TruncationIsDefinedForAnyFloat)
{
    EXPECT_EQ(truncToInt(std::nanf("")), 0);
    EXPECT_EQ(truncToInt(1e20f), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(truncToInt(-1e20f), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(truncToInt(-2.9f), -2);
    EXPECT_EQ(truncToInt(2.9f), 2);
}

TEST(RangeFitting, RangeIsCutToValuesAndRoom)
{
    struct Case {
        int first, last;
        std::size_t values, groupSize, room;
        int expectFirst, expectLast;
        bool cut;
    };
    const Case cases[] = {
        {2, 4, 3, 2, 55, 2, 4, false}, // fits
        {0, 11, 12, 6, 55, 0, 7, true}, // room for 8 groups of 6
        {0, 11, 2, 1, 55, 0, 1, true}, // only two values given
        {5, 4, 0, 1, 55, 5, 4, false}, // asks for nothing: kept as given
        {0, 5, 0, 1, 55, 0, -1, true}, // nothing to carry
        {0, 0, 1, 3, 4, 0, -1, true}, // no room for one group
    };
    for (const Case& c : cases) {
        const RangeFit fit = fitRange(c.first, c.last, c.values, c.groupSize, c.room);
        EXPECT_EQ(fit.first, c.expectFirst) << c.first << ".." << c.last;
        EXPECT_EQ(fit.last, c.expectLast) << c.first << ".." << c.last;
        EXPECT_EQ(fit.cut, c.cut) << c.first << ".." << c.last;
    }
}

} // namespace
