// DSP setters with a fixed layout, and the room-calibration setters.
#include "CommandCodes.h"
#include "DeviceRequests.h"
#include "DeviceRequestsLog.h"
#include "Log.h"
#include "RangeRequest.h"

#include <algorithm>
#include <string>

namespace dravo {
namespace {

RequestBuilder dspSet(std::uint8_t subcmd)
{
    return RequestBuilder(CMD_DSP, subcmd, OP_SET);
}

} // namespace

void DeviceRequests::Source_Switch_Ctrl(int sourceCode, bool immediate)
{
    LogWrite("Source_Switch_Ctrl: source(0x%02x)\n", sourceCode);
    submit(dspSet(DSP_SOURCE_SWITCH).u8(sourceCode).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Main_Volume_Ctrl(float volume, bool immediate)
{
    const std::int32_t sent = truncToInt(volume);
    LogWrite("Main_Volume_Ctrl: volume(%d)\n", static_cast<int>(sent));
    submit(dspSet(DSP_VOLUME).u8(sent).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Mute_Ctrl(int mute, bool immediate)
{
    LogWrite("Mute_Ctrl: mute(%d)\n", mute);
    submit(dspSet(DSP_MUTE).u8(mute).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Filter_Ctrl(int scene, int source, int channel, CrossoverSection section, int filterType,
                                 int frequencyHz, int slope, bool immediate)
{
    LogWrite("Filter_Ctrl: scene(%d), channel(%d), filter(%d), type(%d), freq(%d), slope(%d)\n", scene, channel,
             static_cast<int>(section), filterType, frequencyHz, slope);
    const Request request = dspSet(DSP_FILTER_SET)
                                .u8(scene)
                                .u8(source)
                                .u8(channel)
                                .u8(static_cast<std::uint8_t>(section))
                                .u8(filterType)
                                .u16(static_cast<std::uint32_t>(frequencyHz))
                                .u8(slope)
                                .request();
    submit(request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::EQ_Ctrl(int scene, int source, int channel, int band, int frequencyHz, float q, float gainDb,
                             int type, bool immediate)
{
    const EqGainBytes gain = encodeEqGain(gainDb, type);
    const Request request = dspSet(DSP_EQ_CH)
                                .u8(scene)
                                .u8(source)
                                .u8(channel)
                                .u8(band)
                                .u16(static_cast<std::uint32_t>(frequencyHz))
                                .wholeAndThousandths(splitThousandths(q))
                                .u8(gain.typeAndGain)
                                .u8(gain.tenths)
                                .request();
    LogWrite("begain to write data to devices:\n");
    LogDump(request.data.data(), request.len);
    submit(request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::CH_Link_Ctrl(int scene, int link, std::span<const ChannelLinkPair> pairs, bool immediate)
{
    RequestBuilder builder = dspSet(DSP_CH_LINK);
    builder.u8(scene).u8(link);
    const std::size_t sent = appendCountedList(
        builder, pairs, 2, [](RequestBuilder& b, const ChannelLinkPair& p) { b.u8(p.from).u8(p.to); });
    std::string line;
    requestlog::appendf(line, "CH_Link_Ctrl: scene(%d), link(%d), pairs(%zu): ", scene, link, sent);
    for (std::size_t i = 0; i < sent; ++i)
        requestlog::appendf(line, "%d->%d, ", pairs[i].from, pairs[i].to);
    LogWrite("%s\n", line.c_str());
    if (sent < pairs.size())
        LogWrite("CH_Link_Ctrl: %zu pairs cut to %zu\n", pairs.size(), sent);
    submit(builder.request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::CH_Lock_Ctrl(int scene, int lock, bool immediate)
{
    LogWrite("CH_Lock_Ctrl: scene(%d), lock(%d)\n", scene, lock);
    submit(dspSet(DSP_CH_LOCK).u8(scene).u8(lock).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::PEQ_Reset_Ctrl(int scene, int source, std::span<const int> channels, bool immediate)
{
    RequestBuilder builder = dspSet(DSP_EQ_RESET);
    builder.u8(scene).u8(source);
    const std::size_t sent = appendCountedList(builder, channels, 1, [](RequestBuilder& b, int v) { b.u8(v); });
    requestlog::countedLine("PEQ_Reset_Ctrl", scene, channels.first(sent));
    if (sent < channels.size())
        LogWrite("PEQ_Reset_Ctrl: %zu channels cut to %zu\n", channels.size(), sent);
    submit(builder.request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Input_Ch_Threshold_Ctrl(int thresholdDb, bool immediate)
{
    LogWrite("Input_Ch_Threshold_Ctrl: threshold(%d)\n", thresholdDb);
    submit(dspSet(DSP_INPUT_THRESHOLD).u8(thresholdDb).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Auto_On_Ctrl(int scene, int on, bool immediate)
{
    LogWrite("Auto_On_Ctrl: scene(%d), on(%d)\n", scene, on);
    submit(dspSet(DSP_AUTO_EFFECTION_ON_OFF_CONTROL).u8(scene).u8(on).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::IRC_Active_Bypass_Ctrl(int scene, int on, bool immediate)
{
    LogWrite("IRC_Active_Bypass_Ctrl: scene(%d), on(%d)\n", scene, on);
    submit(dspSet(DSP_IRC_ACTIVE_BYPASS_CONTROL).u8(scene).u8(on).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::CS_Auto_Setting_Ctrl(std::span<const std::uint8_t, kCsAutoSettingSize> block, bool immediate)
{
    LogWrite("CS_Auto_Setting_Ctrl: %zu bytes\n", block.size());
    submit(dspSet(DSP_CS_AUTO_SETTING).bytes(block).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Compressor_Ctrl(int scene, int source, int channel, int bypass, float thresholdDb, float ratio,
                                     float kneeDb, int attack, int release, bool immediate)
{
    LogWrite("Compressor_Ctrl: scene(%d), channel(%d), bypass(%d), threshold(%.1f), ratio(%.1f), knee(%.1f), "
             "attack(%d), release(%d)\n",
             scene, channel, bypass, static_cast<double>(thresholdDb), static_cast<double>(ratio),
             static_cast<double>(kneeDb), attack, release);
    // The device counts the threshold from -100 dB so that it is never negative.
    const Request request = dspSet(DSP_COMPRESSOR_SETTING)
                                .u8(scene)
                                .u8(source)
                                .u8(channel)
                                .u8(bypass)
                                .wholeAndFraction(splitTenths(thresholdDb + 100.0f))
                                .wholeAndFraction(splitTenths(ratio))
                                .wholeAndFraction(splitTenths(kneeDb))
                                .u16(static_cast<std::uint32_t>(attack) & 0xFFFF)
                                .u16(static_cast<std::uint32_t>(release) & 0xFFFF)
                                .request();
    submit(request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Amp_Mute_Ctrl(int mute, bool immediate)
{
    LogWrite("Amp_Mute_Ctrl: mute(%d)\n", mute);
    submit(dspSet(DSP_AMP_MUTE).u8(mute).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Set_MemData(std::uint32_t address, std::uint32_t value, bool immediate)
{
    LogWrite("Set_MemData: addr(0x%08x), value(0x%08x)\n", static_cast<unsigned>(address),
             static_cast<unsigned>(value));
    submit(dspSet(DSP_MEM_DATA).u32le(address).u32le(value).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Rem_Out_Ctrl(int remOut1, int remOut2, bool immediate)
{
    LogWrite("Rem_Out_Ctrl: rem_out1(%d), rem_out2(%d)\n", remOut1, remOut2);
    submit(dspSet(DSP_REM_OUT).u8(remOut1).u8(remOut2).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Cross_Source_Mix_Ctrl(int scene, int source, int channel, int viceSource, int viceChannel,
                                           int viceGain, bool immediate)
{
    LogWrite("Cross_Source_Mix_Ctrl: scene(%d), source(%d), ch(%d), vice source(%d), vice ch(%d), gain(%d)\n", scene,
             source, channel, viceSource, viceChannel, viceGain);
    const Request request = dspSet(DSP_CROSS_SOURCE_MIX)
                                .u8(scene)
                                .u8(source)
                                .u8(channel)
                                .u8(viceSource)
                                .u8(viceChannel)
                                .u8(viceGain)
                                .request();
    submit(request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Spk_Ohm_Ctrl(int ohm, bool immediate)
{
    LogWrite("Spk_Ohm_Ctrl: ohm(%d)\n", ohm);
    submit(dspSet(DSP_SPK_OHM).u8(ohm).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Output_Bridge_Ctrl(int scene, int source, std::span<const int> bridged, bool immediate)
{
    RequestBuilder builder = dspSet(DSP_OUPUT_BRIDGE);
    builder.u8(scene).u8(source);
    const std::size_t sent = appendCountedList(builder, bridged, 1, [](RequestBuilder& b, int v) { b.u8(v); });
    requestlog::countedLine("Output_Bridge_Ctrl", scene, bridged.first(sent));
    if (sent < bridged.size())
        LogWrite("Output_Bridge_Ctrl: %zu pairs cut to %zu\n", bridged.size(), sent);
    submit(builder.request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Cross_Source_Mix_Ctrl_CS47048(int scene, int source, int viceSource, int viceChannel, int channel,
                                                   bool immediate)
{
    LogWrite("Cross_Source_Mix_Ctrl_CS47048: scene(%d), source(%d), vice source(%d), vice ch(%d), ch(%d)\n", scene,
             source, viceSource, viceChannel, channel);
    const Request request =
        dspSet(DSP_CROSS_SOURCE_MIX_CS47048).u8(scene).u8(source).u8(viceSource).u8(viceChannel).u8(channel).request();
    submit(request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Noise_Gate_Ctrl(int on, bool immediate)
{
    LogWrite("Noise_Gate_Ctrl: on(%d)\n", on);
    submit(dspSet(DSP_NOISE_GATE).u8(on).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Noise_Gate_Drc_Gain_Ctrl(int index, bool immediate)
{
    const int sent = std::clamp(index, 0, kNoiseGateDrcGainMaxIndex);
    LogWrite("Noise_Gate_Drc_Gain_Ctrl: index(%d)\n", sent);
    submit(dspSet(DSP_NOISE_GATE_DRC_GAIN).u8(0).u8(sent).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::Noise_Gate_Threshold_Ctrl(int index, bool immediate)
{
    const int sent = std::clamp(index, 0, kNoiseGateThresholdMaxIndex);
    LogWrite("Noise_Gate_Threshold_Ctrl: index(%d)\n", sent);
    submit(dspSet(DSP_NOISE_GATE_THRESHOLD).u8(0).u8(sent).request(), immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::IRC_Ctrl(int on, int ircChannels, int eqMode, bool immediate)
{
    LogWrite("IRC_Ctrl: on(%d), ch(0x%04x), eq mode(%d)\n", on, ircChannels & 0xFFFF, eqMode);
    const Request request =
        dspSet(DSP_IRC_CTRL).u8(on).u16(static_cast<std::uint32_t>(ircChannels) & 0xFFFF).u8(eqMode).request();
    submit(request, immediate, kDefaultReplyTimeoutMs);
}

void DeviceRequests::IRC_Sel_Test_Module(int module, bool immediate)
{
    LogWrite("IRC_Sel_Test_Module: module(%d)\n", module);
    submit(dspSet(DSP_IRC_SEL_TEST_MODULE).u8(module).request(), immediate, kDefaultReplyTimeoutMs);
}

} // namespace dravo
