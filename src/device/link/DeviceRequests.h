#pragma once
// One operation per device setting or query. Each builds its Request and
// hands it to the link through the three hooks below; the link decides how
// it reaches the wire. Kept apart from DeviceLink so the byte layouts can be
// checked without a device.
//
// Conventions of the arguments:
// - scene: 0 the live state, 1..10 a stored scene; source: the input-source
//   code the value belongs to (0 where the value does not depend on it).
// - first, last: an inclusive range of channel indexes; values[0] belongs to
//   `first`. last below first asks for no channel. A range longer than the
//   values given, or than one request can carry, is cut to what is sent.
// - Integer arguments travel as their low 8 bits unless said otherwise.
// - Setters end in `immediate`: true sends on the calling thread and reads
//   the answer there; false queues the request for the command worker.
// - Queries send at once and return whether a report arrived; the value
//   itself reaches the model through the reply decoding.
#include "Request.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace dravo {

// The section byte of a crossover request.
enum class CrossoverSection : std::uint8_t {
    LowPass = 1,
    HighPass = 2,
};

// One output's setting for the compressors-on window.
struct CompressorSetting2 {
    float threshold = 0.0f; // dB
    std::int32_t attack = 0; // sent as its low 16 bits
    std::uint32_t release = 0; // ms; sent as seconds and tenths
};

// One (from, to) pair of a link request: `from`'s settings go to `to`.
struct ChannelLinkPair {
    int from = 0;
    int to = 0;
};

inline constexpr std::size_t kCsAutoSettingSize = 52;
inline constexpr std::size_t kSceneNameMaxBytes = 16;
inline constexpr int kNoiseGateDrcGainMaxIndex = 48;
inline constexpr int kNoiseGateThresholdMaxIndex = 31;

// Storing, recalling and deleting a scene rewrites the device's flash.
inline constexpr std::uint32_t kSceneReplyTimeoutMs = 20000;
inline constexpr std::uint32_t kFactoryDefaultReplyTimeoutMs = 30000;
// Asked for while the settings dialog opens; an older controller that does
// not know it must not hold the dialog up.
inline constexpr std::uint32_t kPowerOffDelayQueryTimeoutMs = 500;

class DeviceRequests {
public:
    virtual ~DeviceRequests() = default;

    // --- DSP range setters (one group of bytes per channel) ---------------

    // Level attenuation in dB (the negated output level), int + hundredths.
    void Trim_Ctrl(int scene, int source, int first, int last, std::span<const float> attenuationDb, bool immediate);
    // Delay in ms, int + thousandths.
    void Delay_Ctrl(int scene, int source, int first, int last, std::span<const float> delayMs, bool immediate);
    void Mute_Ch_Ctrl(int scene, int source, int first, int last, std::span<const int> mute, bool immediate);
    void Phase_Ctrl(int scene, int source, int first, int last, std::span<const int> phase, bool immediate);
    void Solo_Ctrl(int scene, int source, int first, int last, std::span<const int> solo, bool immediate);
    void PEQ_Bypass_Ctrl(int scene, int source, int first, int last, std::span<const int> bypass, bool immediate);
    // Speaker role codes 0..24.
    void CH_Type_Ctrl(int scene, int source, int first, int last, std::span<const int> roles, bool immediate);
    void Compressor_Ch_Ctrl(int scene, int source, int first, int last, std::span<const int> on, bool immediate);
    // Input masks of the outputs; the low byte of each travels.
    void Mix_Ch_Ctrl(int scene, int source, int first, int last, std::span<const int> inputMasks, bool immediate);
    // Six bytes per output, so at most eight outputs per request.
    void Compressor_Ctrl2(int scene, int source, int first, int last, std::span<const CompressorSetting2> settings,
                          bool immediate);
    // first and last are input channel indexes.
    void Input_Phase_Ctrl(int scene, int source, int firstInput, int lastInput, std::span<const int> phase,
                          bool immediate);

    // --- Other DSP setters ----------------------------------------------

    // The device's source code (0x51 + the source index).
    void Source_Switch_Ctrl(int sourceCode, bool immediate);
    // The main-volume attenuation 0..66 dB; the whole part travels.
    void Main_Volume_Ctrl(float volume, bool immediate);
    void Mute_Ctrl(int mute, bool immediate);
    void Filter_Ctrl(int scene, int source, int channel, CrossoverSection section, int filterType, int frequencyHz,
                     int slope, bool immediate);
    // Gain in dB (-18..+13.9 on the wire), band type 0..7 in the top bits.
    void EQ_Ctrl(int scene, int source, int channel, int band, int frequencyHz, float q, float gainDb, int type,
                 bool immediate);
    // At most 27 pairs fit one request.
    void CH_Link_Ctrl(int scene, int link, std::span<const ChannelLinkPair> pairs, bool immediate);
    void CH_Lock_Ctrl(int scene, int lock, bool immediate);
    // Outputs whose equaliser the device resets to its defaults.
    void PEQ_Reset_Ctrl(int scene, int source, std::span<const int> channels, bool immediate);
    // Mixing levels 0..100 of one input into outputs first..last.
    void Input_Mix_Trim_Ctrl(int scene, int source, int input, int firstOutput, int lastOutput,
                             std::span<const int> levels, bool immediate);
    // Signed dB(u).
    void Input_Ch_Threshold_Ctrl(int thresholdDb, bool immediate);
    void Auto_On_Ctrl(int scene, int on, bool immediate);
    void IRC_Active_Bypass_Ctrl(int scene, int on, bool immediate);
    // The channel-level auto record, sent unchanged.
    void CS_Auto_Setting_Ctrl(std::span<const std::uint8_t, kCsAutoSettingSize> block, bool immediate);
    // Threshold, ratio and knee as int + tenths (threshold offset by +100 dB),
    // attack and release as u16.
    void Compressor_Ctrl(int scene, int source, int channel, int bypass, float thresholdDb, float ratio, float kneeDb,
                         int attack, int release, bool immediate);
    void Amp_Mute_Ctrl(int mute, bool immediate);
    // Address and value little-endian.
    void Set_MemData(std::uint32_t address, std::uint32_t value, bool immediate);
    void Rem_Out_Ctrl(int remOut1, int remOut2, bool immediate);
    // viceGain as the device counts it (dB + 32).
    void Cross_Source_Mix_Ctrl(int scene, int source, int channel, int viceSource, int viceChannel, int viceGain,
                               bool immediate);
    // 1 = 2 ohm, 0 = 4 ohm.
    void Spk_Ohm_Ctrl(int ohm, bool immediate);
    // One flag per output pair.
    void Output_Bridge_Ctrl(int scene, int source, std::span<const int> bridged, bool immediate);
    // This chip takes the channel last.
    void Cross_Source_Mix_Ctrl_CS47048(int scene, int source, int viceSource, int viceChannel, int channel,
                                       bool immediate);
    void Noise_Gate_Ctrl(int on, bool immediate);
    // Index 0..48 (index - 32 dB); kept within that range.
    void Noise_Gate_Drc_Gain_Ctrl(int index, bool immediate);
    // Index 0..31 (-30 - 1.5 x index dB); kept within that range.
    void Noise_Gate_Threshold_Ctrl(int index, bool immediate);

    // --- DSP queries ----------------------------------------------------

    bool Get_Source();
    bool Get_Main_Volume();
    bool Get_Subwoofer_Volume();
    bool Get_Mute();
    bool Get_Filter(int scene, int source, int first, int last);
    bool Get_EQ(int scene, int source, int channel, int firstBand, int lastBand);
    bool Get_Delay(int scene, int source, int first, int last);
    bool Get_Trim(int scene, int source, int first, int last);
    bool Get_Mute_Ch(int scene, int source, int first, int last);
    bool Get_Phase(int scene, int source, int first, int last);
    bool Get_Mix_Ch(int scene, int source, int first, int last);
    bool Get_CH_Type(int scene, int source, int first, int last);
    bool Get_CH_Link(int scene);
    bool Get_CH_Lock(int scene);
    bool Get_PEQ_Bypass(int scene, int source, int first, int last);
    bool Get_Input_Mix_CH_Trim(int scene, int source, int input, int firstOutput, int lastOutput);
    // These two may also be queued (immediate false); then no report is read
    // on this thread and the result is false.
    bool Get_Input_Threshold(int scene, int source, bool immediate);
    bool Get_Input_Noise(int firstInput, int lastInput, bool immediate);
    bool Get_Ch_Solo(int scene, int source, int first, int last);
    bool Get_Speaker_Config();
    bool Get_AUTO_ON();
    bool Get_Compressor(int scene, int source, int first, int last);
    bool Get_Amp_Mute();
    bool Get_InDistort(int scene, int source, int first, int last);
    bool Get_OutDistort(int scene, int source, int first, int last);
    bool Get_MemData(std::uint32_t address);
    bool Get_Rem_Out();
    bool Get_Cross_Source_Mix(int scene, int source, int channel);
    bool Get_Compressor_Ch_On(int scene, int source, int first, int last);
    bool Get_Compressor2(int scene, int source, int first, int last);
    bool Get_Spk_Ohm();
    bool Get_Ouput_Bridge(int scene, int source, int count);
    bool Get_Cross_Source_Mix_CS47048(int scene, int source, int channel);
    bool Get_Noise_Gate();
    bool Get_Noise_Gate_Gain();
    bool Get_Noise_Gate_Threshold();

    // --- Room calibration -----------------------------------------------

    // on: 1 start, 0 stop, 2 keep the result, 3 discard it; ircChannels is a
    // 16-bit output mask.
    void IRC_Ctrl(int on, int ircChannels, int eqMode, bool immediate);
    void IRC_Sel_Test_Module(int module, bool immediate);
    bool IRC_Get();
    bool IRC_Get_Distance(int firstChannel, int lastChannel);
    bool IRC_Get_EQ(int channel, int firstBand, int lastBand);
    bool IRC_Get_Spectrum(int channel, int firstBand, int lastBand);

    // --- Scenes stored in the device (always sent at once) --------------

    // `immediately` is the device's own flag, not a send mode.
    bool SaveScene(int scene, int immediately);
    bool ReadScene(int fromScene, int toScene);
    bool DeleteScene(int scene);
    // At most 16 bytes of name (the device's slot); longer text is cut.
    bool SetSceneName(int scene, std::span<const std::uint8_t> name);
    bool Get_Scene_Name(int scene);
    bool Get_Scene_Id();
    bool Get_Scene_Valid();

    // --- The amplifier's controller -------------------------------------

    bool Hand_Connect();
    // 1 the tool is connected, 0 it is leaving; no answer is awaited.
    bool PC_Connect(int state);
    bool MCU_Reboot_Ctrl();
    bool Factory_Default_Ctrl();
    // Delay in ms, u16.
    void Set_Power_Off_Time(int delayMs, bool immediate);
    bool Get_Delay_Power_Off_Time();
    void Set_Acc(int delay, bool immediate);
    bool Get_Acc();
    void Set_Usb_Power_Pin(int value, bool immediate);
    bool Get_Usb_Power_Pin();

    // --- Karaoke (items KTV_MIC_VOL..KTV_TREBLE_GAIN) -------------------

    // An unknown item sends nothing.
    void KTV_Ctrl(int item, int value, bool immediate);
    // Items without a query (bass and treble) and unknown items send
    // nothing and give false.
    bool Get_KTV(int item);

protected:
    // A setter: with `immediate`, sent on the calling thread and answered
    // within `readTimeoutMs`; otherwise queued for the command worker (and
    // dropped while the request path is closed).
    virtual void submit(const Request& request, bool immediate, std::uint32_t readTimeoutMs) = 0;
    // A query or an always-immediate request: send now, then read. Returns
    // whether a report arrived.
    virtual bool sendAndRead(const Request& request, std::uint32_t readTimeoutMs) = 0;
    // A notice that expects no answer.
    virtual bool sendOnly(const Request& request) = 0;
};

} // namespace dravo
