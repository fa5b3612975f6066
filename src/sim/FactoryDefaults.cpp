#include "FactoryDefaults.h"

#include "WireBytes.h"

namespace dravo::sim {
namespace {

ChannelState defaultChannel(int output)
{
    ChannelState c;
    c.role = kDefaultRoles[output];
    c.filter = defaultFilter(c.role);
    // Factory compressor: bypassed, threshold 64.0 dB, ratio 100.0,
    // knee 24.0 dB, attack 1000 ms, release 30000 ms.
    c.compressor = {1, 164, 0, 100, 0, 24, 0, 0x03, 0xE8, 0x75, 0x30};
    c.compressor2 = {64, 0, 0x03, 0xE8, 30, 0};
    for (int b = 0; b < kBandCount; ++b)
        c.bands[b] = defaultBand(b);
    return c;
}

} // namespace

BandBytes defaultBand(int band)
{
    // Q 5.800, gain 0 dB (offset 18), type 0.
    BandBytes bytes{};
    putU16(bytes.data(), kThirdOctaveFrequencies[band]);
    bytes[2] = 5;
    putU16(bytes.data() + 3, 800);
    bytes[5] = 18;
    bytes[6] = 0;
    return bytes;
}

std::array<std::uint8_t, 8> defaultFilter(std::uint8_t role)
{
    const RoleCrossover& x = kRoleCrossovers[role < kRoleCrossovers.size() ? role : 0];
    std::array<std::uint8_t, 8> f{};
    f[0] = kDefaultFilterType;
    putU16(f.data() + 1, x.hpFrequency);
    f[3] = x.hpSlope;
    f[4] = kDefaultFilterType;
    putU16(f.data() + 5, x.lpFrequency);
    f[7] = x.lpSlope;
    return f;
}

SceneState factoryScene()
{
    SceneState s;
    for (int c = 0; c < kOutputCount; ++c)
        s.channels[c] = defaultChannel(c);
    for (int src = 0; src < kSourceCount; ++src) {
        s.mixMask[src] = kSourceUsesFourInputMasks[src] ? kFourInputMasks : kTwoInputMasks;
        for (int in = 0; in < kInputCount; ++in) {
            for (int out = 0; out < kOutputCount; ++out) {
                const bool fed = (s.mixMask[src][out] >> in) & 1;
                s.mixLevel[src][in][out] = fed ? (out < kFrontMixOutputs ? kFrontMixLevel : kRearMixLevel) : 0;
            }
        }
    }
    s.linkBytes.fill(kNoLink);
    return s;
}

AmpSettings factoryAmp()
{
    AmpSettings a;
    a.karaoke = kDefaultKaraoke;
    return a;
}

StoredScene erasedScene()
{
    StoredScene s;
    s.state = factoryScene();
    s.name.fill(0xFF);
    s.valid = false;
    return s;
}

DeviceState factoryDevice(bool loaderMode)
{
    DeviceState d;
    d.amp = factoryAmp();
    d.live = factoryScene();
    for (int i = 0; i < kSceneCount; ++i) {
        d.scenes[i] = erasedScene();
        d.sceneEdits[i] = d.scenes[i].state;
    }
    d.loaderMode = loaderMode;
    d.upgrade.applicationIntact = !loaderMode;
    return d;
}

} // namespace dravo::sim
