// DSP and room-calibration queries. Each is sent at once and read on the
// calling thread; the value comes back through the reply decoding.
#include "CommandCodes.h"
#include "DeviceRequests.h"
#include "RequestBuilder.h"

namespace dravo {
namespace {

RequestBuilder dspGet(std::uint8_t subcmd)
{
    return RequestBuilder(CMD_DSP, subcmd, OP_GET);
}

// scene, source, first, last: the layout of every per-output query.
Request rangeQuery(std::uint8_t subcmd, int scene, int source, int first, int last)
{
    return dspGet(subcmd).u8(scene).u8(source).u8(first).u8(last).request();
}

} // namespace

bool DeviceRequests::Get_Source()
{
    return sendAndRead(dspGet(DSP_SOURCE_SWITCH).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Main_Volume()
{
    return sendAndRead(dspGet(DSP_VOLUME).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Subwoofer_Volume()
{
    return sendAndRead(dspGet(DSP_SUBWOOFER_VOLUME).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Mute()
{
    return sendAndRead(dspGet(DSP_MUTE).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Filter(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_FILTER_SET, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_EQ(int scene, int source, int channel, int firstBand, int lastBand)
{
    const Request request = dspGet(DSP_EQ_CH).u8(scene).u8(source).u8(channel).u8(firstBand).u8(lastBand).request();
    return sendAndRead(request, kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Delay(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_DELAY_CH, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Trim(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_TRIM_CH, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Mute_Ch(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_MUTE_CH, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Phase(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_PHASE_CH, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Mix_Ch(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_MIX_CH, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_CH_Type(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_CH_TYPE, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_CH_Link(int scene)
{
    return sendAndRead(dspGet(DSP_CH_LINK).u8(scene).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_CH_Lock(int scene)
{
    return sendAndRead(dspGet(DSP_CH_LOCK).u8(scene).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_PEQ_Bypass(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_EQ_BYPASS, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Input_Mix_CH_Trim(int scene, int source, int input, int firstOutput, int lastOutput)
{
    const Request request =
        dspGet(DSP_INPUT_MIX_CH_TRIM).u8(scene).u8(source).u8(input).u8(firstOutput).u8(lastOutput).request();
    return sendAndRead(request, kDefaultReplyTimeoutMs);
}

// The noise-threshold window polls these every half second through the
// command worker, so they may be queued like a setter.
bool DeviceRequests::Get_Input_Threshold(int scene, int source, bool immediate)
{
    const Request request = dspGet(DSP_INPUT_THRESHOLD).u8(scene).u8(source).request();
    if (immediate)
        return sendAndRead(request, kDefaultReplyTimeoutMs);
    submit(request, false, kDefaultReplyTimeoutMs);
    return false;
}

bool DeviceRequests::Get_Input_Noise(int firstInput, int lastInput, bool immediate)
{
    const Request request = dspGet(DSP_INPUT_NOISE).u8(firstInput).u8(lastInput).request();
    if (immediate)
        return sendAndRead(request, kDefaultReplyTimeoutMs);
    submit(request, false, kDefaultReplyTimeoutMs);
    return false;
}

bool DeviceRequests::Get_Ch_Solo(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_CH_SOLO, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Speaker_Config()
{
    return sendAndRead(dspGet(DSP_SPK_CH_CONFIG).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_AUTO_ON()
{
    return sendAndRead(dspGet(DSP_AUTO_EFFECTION_ON_OFF_CONTROL).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Compressor(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_COMPRESSOR_SETTING, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Amp_Mute()
{
    return sendAndRead(dspGet(DSP_AMP_MUTE).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_InDistort(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_INPUT_CH_DISTORT, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_OutDistort(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_OUTPUT_CH_DISTORT, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_MemData(std::uint32_t address)
{
    return sendAndRead(dspGet(DSP_MEM_DATA).u32le(address).u32le(0).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Rem_Out()
{
    return sendAndRead(dspGet(DSP_REM_OUT).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Cross_Source_Mix(int scene, int source, int channel)
{
    const Request request = dspGet(DSP_CROSS_SOURCE_MIX).u8(scene).u8(source).u8(channel).u8(0).u8(0).u8(0).request();
    return sendAndRead(request, kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Compressor_Ch_On(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_COMPRESSOR_ON_CH, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Compressor2(int scene, int source, int first, int last)
{
    return sendAndRead(rangeQuery(DSP_COMPRESSOR_SETTING2, scene, source, first, last), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Spk_Ohm()
{
    return sendAndRead(dspGet(DSP_SPK_OHM).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Ouput_Bridge(int scene, int source, int count)
{
    return sendAndRead(dspGet(DSP_OUPUT_BRIDGE).u8(scene).u8(source).u8(count).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Cross_Source_Mix_CS47048(int scene, int source, int channel)
{
    const Request request = dspGet(DSP_CROSS_SOURCE_MIX_CS47048).u8(scene).u8(source).u8(0).u8(0).u8(channel).request();
    return sendAndRead(request, kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Noise_Gate()
{
    return sendAndRead(dspGet(DSP_NOISE_GATE).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Noise_Gate_Gain()
{
    return sendAndRead(dspGet(DSP_NOISE_GATE_DRC_GAIN).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::Get_Noise_Gate_Threshold()
{
    return sendAndRead(dspGet(DSP_NOISE_GATE_THRESHOLD).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::IRC_Get()
{
    return sendAndRead(dspGet(DSP_IRC_CTRL).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::IRC_Get_Distance(int firstChannel, int lastChannel)
{
    return sendAndRead(dspGet(DSP_IRC_DISTANCE).u8(firstChannel).u8(lastChannel).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::IRC_Get_EQ(int channel, int firstBand, int lastBand)
{
    return sendAndRead(dspGet(DSP_IRC_EQ).u8(channel).u8(firstBand).u8(lastBand).request(), kDefaultReplyTimeoutMs);
}

bool DeviceRequests::IRC_Get_Spectrum(int channel, int firstBand, int lastBand)
{
    const Request request = dspGet(DSP_IRC_SPECTRUM).u8(channel).u8(firstBand).u8(lastBand).request();
    return sendAndRead(request, kDefaultReplyTimeoutMs);
}

} // namespace dravo
