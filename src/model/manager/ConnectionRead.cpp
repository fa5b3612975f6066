// The handshake and the complete read of a connected amplifier, in the order
// the device expects them. Every query waits for its reply (or its time-out)
// on the calling thread; the replies reach the live record through the
// user-interface thread as they arrive.
#include "Connection.h"

#include "DeviceLink.h"
#include "EqualizerManager.h"
#include "InputSources.h"
#include "Log.h"
#include "ProductInfo.h"

#include <algorithm>
#include <array>

namespace dravo {
namespace {

constexpr int kLastOutput = kOutputCount - 1;
constexpr int kBandsPerEqQuery = 7;
constexpr int kFilterOutputsPerQuery = 4;

} // namespace

int Connection::PC_UI_Status_Init()
{
    LogWrite("PC_UI_Status_Init\n");
    DeviceLink& link = m.link();
    const int scene = 0;
    const int source = 0;

    link.PC_Connect(1);
    if (!link.Hand_Connect())
        return -1;
    if (link.State().reportedModel.load() != kModelId || link.State().mcuIsNormalMode.load() != 1)
        return 0;

    link.Get_Source();
    link.Get_Main_Volume();
    link.Get_Acc();
    link.Get_Usb_Power_Pin();
    link.Get_Subwoofer_Volume();
    link.Get_Mute();
    link.Get_Amp_Mute();
    link.Get_Rem_Out();
    link.Get_Spk_Ohm();
    link.Get_Noise_Gate();
    link.Get_Noise_Gate_Gain();
    link.Get_Noise_Gate_Threshold();
    link.Get_Speaker_Config();
    link.Get_Scene_Valid();

    link.Get_Delay(scene, source, 0, kLastOutput);
    link.Get_CH_Type(scene, source, 0, kLastOutput);
    link.Get_Ch_Solo(scene, source, 0, kLastOutput);
    link.Get_CH_Link(scene);
    link.Get_CH_Lock(scene);

    for (int first = 0; first < kOutputCount; first += kFilterOutputsPerQuery)
        link.Get_Filter(scene, source, first, first + kFilterOutputsPerQuery - 1);

    link.Get_PEQ_Bypass(scene, source, 0, kLastOutput);

    // The band counts belong to the user-interface thread.
    std::array<int, kOutputCount> eqSizes{};
    m.host().runOnUiThread([&] {
        for (int c = 0; c < kOutputCount; ++c)
            eqSizes[static_cast<std::size_t>(c)] = m.live().eqSizeOf(c);
    });
    for (int c = 0; c < kOutputCount; ++c) {
        const int eqSize = eqSizes[static_cast<std::size_t>(c)];
        for (int first = 0; first < eqSize; first += kBandsPerEqQuery)
            link.Get_EQ(scene, source, c, first, std::min(first + kBandsPerEqQuery, eqSize) - 1);
    }

    link.Get_Trim(scene, source, 0, kLastOutput);
    link.Get_Mute_Ch(scene, source, 0, kLastOutput);
    link.Get_Phase(scene, source, 0, kLastOutput);
    link.Get_Ch_Solo(scene, source, 0, kLastOutput);

    for (int s = 0; s < kSourceCount; ++s)
        link.Get_Mix_Ch(scene, s, 0, kLastOutput);
    for (int s = 0; s < kSourceCount; ++s)
        for (int input = 0; input < inputCountOf(s); ++input)
            link.Get_Input_Mix_CH_Trim(scene, s, input, 0, kLastOutput);
    for (int s = 0; s < kSourceCount; ++s)
        for (int input = 0; input < inputCountOf(s); ++input)
            link.Get_Cross_Source_Mix(scene, s, input);

    for (int n = 1; n <= kStoredSceneCount; ++n)
        link.Get_Scene_Name(n);

    link.Get_Ouput_Bridge(scene, source, kBridgePairCount);

    LogWrite("PC_UI_Status_Init done\n");
    return 0;
}

} // namespace dravo
