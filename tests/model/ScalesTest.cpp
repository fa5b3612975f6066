#include "InputSources.h"
#include "KaraokeParams.h"
#include "MainVolumeScale.h"
#include "NoiseGateScale.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dravo;

namespace {

TEST(MainVolume, StepToDb)
{
    struct Case {
        int step;
        double db;
    };
    const Case cases[] = {{-5, -60.0}, {0, -60.0}, {1, -60.0}, {10, -18.75}, {28, 41.25 * std::log10(28.0) - 60},
                          {39, 41.25 * std::log10(39.0) - 60}, {40, 6.0}, {55, 6.0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(mainVolumeStepToDb(c.step), c.db) << c.step;
}

TEST(MainVolume, AttenuationSent)
{
    struct Case {
        int step, attenuation;
    };
    // 66 at off, 0 at the top; in between 6 - dB cut to a whole number.
    const Case cases[] = {{0, 66}, {1, 66}, {2, 53}, {10, 24}, {22, 10}, {23, 9}, {24, 9}, {30, 5}, {39, 0}, {40, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(mainVolumeAttenuation(c.step), c.attenuation) << c.step;
}

TEST(MainVolume, DeviceLevelBackToStep)
{
    struct Case {
        int level, step;
    };
    const Case cases[] = {{0, 28}, {6, 39}, {-60, 1}, {-61, 0}, {-128, 0}, {7, 40}, {127, 40}, {-18, 10}};
    for (const Case& c : cases)
        EXPECT_EQ(mainVolumeStepFromDeviceLevel(c.level), c.step) << c.level;
}

TEST(MainVolume, RoundTripKeepsTheAttenuation)
{
    for (int step = 0; step <= kMainVolumeMaxStep; ++step) {
        SCOPED_TRACE(step);
        const int sent = mainVolumeAttenuation(step);
        ASSERT_GE(sent, 0);
        ASSERT_LE(sent, kMainVolumeMaxAttenuation);
        const int readBack = mainVolumeStepFromDeviceLevel(mainVolumeDeviceLevel(sent));
        // Sending the step read back repeats what the device already has.
        EXPECT_EQ(mainVolumeAttenuation(readBack), sent);
        // Below step 23 every step has an attenuation of its own.
        if (step >= 1 && step <= 22)
            EXPECT_EQ(readBack, step);
        else
            EXPECT_GE(readBack, std::min(step, 1));
    }
}

TEST(InputSources, CodesAndInputCounts)
{
    const int inputs[] = {2, 0, 2, 2, 0, 8, 0, 2, 2};
    for (int s = 0; s < kSourceCount; ++s) {
        EXPECT_EQ(kInputSources[s].code, s);
        EXPECT_EQ(inputCountOf(s), inputs[s]) << s;
        EXPECT_EQ(sourceDeviceCode(s), 0x51 + s);
        EXPECT_EQ(kInputSources[s].deviceCode, 0x51 + s);
        if (s != kUnknownSourceCode) {
            EXPECT_EQ(sourceFromDeviceCode(0x51 + s), s);
        }
    }
    EXPECT_EQ(inputCountOf(9), 0);
    EXPECT_EQ(inputCountOf(-1), 0);
    for (int device : {0x55, 0x20, 0x50, 0x5A, 0})
        EXPECT_EQ(sourceFromDeviceCode(device), 4) << device;
}

TEST(InputSources, OfferedByUsbOption)
{
    struct Case {
        int source, usbOption;
        bool offered;
    };
    const Case cases[] = {
        {0, kUsbOptionUdp, true}, {1, kUsbOptionUdp, false}, {4, kUsbOptionScp, false},
        {5, kUsbOptionScp, true}, {6, kUsbOptionUdp, false}, {7, kUsbOptionUdp, true},
        {7, kUsbOptionScp, false}, {8, kUsbOptionUdp, false}, {8, kUsbOptionScp, true},
        {9, kUsbOptionUdp, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isSourceOffered(c.source, c.usbOption), c.offered) << c.source << "/" << c.usbOption;
}

TEST(NoiseGate, IndexScales)
{
    EXPECT_EQ(noiseGateThresholdDb(0), -30.0f);
    EXPECT_EQ(noiseGateThresholdDb(4), -36.0f);
    EXPECT_EQ(noiseGateDrcGainDb(32), 0.0f);
    EXPECT_EQ(noiseGateDrcGainDb(20), -12.0f);
}

TEST(Karaoke, SlotsFollowTheStoredOrder)
{
    const int slotOfCode[] = {-1, 1, 2, 0, 4, 5, 6, 7, 3, 8, 9, -1};
    for (int code = 0; code <= 11; ++code)
        EXPECT_EQ(karaokeSlotOf(code), slotOfCode[code]) << code;
}

} // namespace
