#include "DemoBackend.h"

#include "DeviceState.h"
#include "SimBackend.h"

namespace dravo {
namespace {

// A few corrections an installer might have made, so the demonstration shows
// a tuned car rather than factory flat: bands cut and boosted on the front
// tweeters and midranges, steeper crossovers, and the subwoofer pair bridged.
struct DemoBand {
    int output;
    int band;
    int frequency;
    double q;
    double gainDb;
};

constexpr DemoBand kDemoBands[] = {
    {0, 22, 3150, 2.0, -3.0}, {0, 25, 6300, 1.4, 2.5},  {0, 28, 12500, 3.0, -4.0},
    {1, 22, 3150, 2.0, -3.0}, {1, 25, 6300, 1.4, 2.5},  {1, 28, 12500, 3.0, -4.0},
    {2, 14, 500, 1.2, 2.0},   {2, 17, 1000, 2.5, -5.5}, {2, 20, 2000, 4.0, -2.0},
    {3, 14, 500, 1.2, 2.0},   {3, 17, 1000, 2.5, -5.5}, {3, 20, 2000, 4.0, -2.0},
};

struct DemoCrossover {
    int output;
    int hpFrequency;
    int hpSlope;
    int lpFrequency;
    int lpSlope;
};

// Linkwitz-Riley sections (type 2); slope codes are the filter order.
constexpr DemoCrossover kDemoCrossovers[] = {
    {0, 3500, 4, 20000, 0}, {1, 3500, 4, 20000, 0}, {2, 400, 4, 3500, 4}, {3, 400, 4, 3500, 4},
    {4, 60, 4, 400, 4},     {5, 60, 4, 400, 4},     {10, 25, 2, 80, 4},   {11, 25, 2, 80, 4},
};

void setBand(sim::BandBytes& bytes, const DemoBand& b)
{
    const int thousandths = static_cast<int>(b.q * 1000.0 + 0.5) % 1000;
    const int offsetTenths = static_cast<int>((b.gainDb + 18.0) * 10.0 + 0.5);
    bytes = {static_cast<std::uint8_t>(b.frequency >> 8), static_cast<std::uint8_t>(b.frequency & 0xFF),
             static_cast<std::uint8_t>(b.q),             static_cast<std::uint8_t>(thousandths >> 8),
             static_cast<std::uint8_t>(thousandths & 0xFF), static_cast<std::uint8_t>(offsetTenths / 10),
             static_cast<std::uint8_t>(offsetTenths % 10)};
}

void applyDemoTuning(sim::DeviceState& state)
{
    auto& channels = state.live.channels;
    for (const DemoBand& b : kDemoBands) {
        setBand(channels[static_cast<std::size_t>(b.output)].bands[static_cast<std::size_t>(b.band)], b);
        channels[static_cast<std::size_t>(b.output)].eqBypass = 0;
    }
    for (const DemoCrossover& x : kDemoCrossovers)
        channels[static_cast<std::size_t>(x.output)].filter = {
            2, static_cast<std::uint8_t>(x.hpFrequency >> 8), static_cast<std::uint8_t>(x.hpFrequency & 0xFF),
            static_cast<std::uint8_t>(x.hpSlope), 2, static_cast<std::uint8_t>(x.lpFrequency >> 8),
            static_cast<std::uint8_t>(x.lpFrequency & 0xFF), static_cast<std::uint8_t>(x.lpSlope)};
    state.live.bridge[5] = 1; // outputs 11 and 12 drive one subwoofer
}

} // namespace

std::unique_ptr<HidBackend> MakeDemoBackend()
{
    sim::SimBackend bus;
    sim::SimOptions options;
    options.latencyMs = 1;
    bus.attach(kDemoDeviceId, options)->edit(applyDemoTuning);
    // The handle shares the simulated bus, which keeps the amplifier.
    return bus.handle();
}

} // namespace dravo
