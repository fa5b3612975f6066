#include "SceneFromDevice.h"

#include "DeviceLink.h"
#include "InputSources.h"
#include "Log.h"

#include <algorithm>
#include <array>

namespace dravo {
namespace {

// ReadScene's second byte: select the scene for the queries that follow.
constexpr int kSelectForQueries = 255;
// The amplifier needs this long to bring the scene up for the queries.
constexpr int kSceneSelectWaitMs = 1000;
constexpr int kBandsPerQuery = 7;
constexpr int kLastOutput = kOutputCount - 1;
// The role query asks one past the last output; the amplifier answers for
// the outputs it has.
constexpr int kRoleQueryEnd = kOutputCount;

} // namespace

void ReadSceneFromDevice(EqualizerManager& manager, int scene)
{
    if (scene < 1 || scene > kSceneSlots)
        return;
    LogWrite("read scene sceneId(%d)", scene);
    DeviceLink& link = manager.link();
    link.ReadScene(scene, kSelectForQueries);
    manager.host().sleepMs(kSceneSelectWaitMs);

    link.Get_CH_Type(scene, 0, 0, kRoleQueryEnd);
    link.Get_CH_Link(scene);
    link.Get_CH_Lock(scene);
    link.Get_Ch_Solo(scene, 0, 0, kLastOutput);
    for (int first = 0; first < kOutputCount; first += 4)
        link.Get_Filter(scene, 0, first, first + 3);
    link.Get_PEQ_Bypass(scene, 0, 0, kLastOutput);
    // The band counts of the live record, which belongs to the user-interface thread.
    std::array<int, kOutputCount> eqSizes{};
    manager.host().runOnUiThread([&] {
        for (int c = 0; c < kOutputCount; ++c)
            eqSizes[static_cast<std::size_t>(c)] = manager.live().eqSizeOf(c);
    });
    for (int c = 0; c < kOutputCount; ++c) {
        const int bands = eqSizes[static_cast<std::size_t>(c)];
        for (int b = 0; b < bands; b += kBandsPerQuery)
            link.Get_EQ(scene, 0, c, b, std::min(b + kBandsPerQuery, bands) - 1);
    }
    link.Get_Delay(scene, 0, 0, kLastOutput);
    link.Get_Trim(scene, 0, 0, kLastOutput);
    link.Get_Mute_Ch(scene, 0, 0, kLastOutput);
    link.Get_Phase(scene, 0, 0, kLastOutput);
    for (int s = 0; s < kSourceCount; ++s)
        link.Get_Mix_Ch(scene, s, 0, kLastOutput);
    for (int s = 0; s < kSourceCount; ++s)
        for (int n = 0; n < inputCountOf(s); ++n)
            link.Get_Input_Mix_CH_Trim(scene, s, n, 0, kLastOutput);
    for (int s = 0; s < kSourceCount; ++s)
        for (int n = 0; n < inputCountOf(s); ++n)
            link.Get_Cross_Source_Mix(scene, s, n);
    for (int k = 1; k <= kSceneSlots; ++k)
        link.Get_Scene_Name(k);
}

} // namespace dravo
