#include "intake_Fixture.h"

#include "CommandCodes.h"
#include "Connection.h"

#include <functional>
#include <sstream>

namespace dravo::test {
namespace {

class DspIntake : public IntakeFixture {
protected:
    // What a user would see of the controls the intake may touch.
    std::string pageSnapshot()
    {
        std::ostringstream out;
        const auto dump = [&](const std::string& name) {
            const MemoryControl& c = page.at(name);
            out << name << '|' << c.text() << '|' << c.value() << c.checked() << c.visible() << c.enabled()
                << c.selected() << c.currentIndex() << '\n';
        };
        char name[64];
        for (const char* format : {"slider_ch_volume_%d", "edit_ch_volume_%d", "ch_mute_%d", "ch_phase_%d",
                                   "ch_solo_%d", "edit_ch_delay_%d", "slider_ch_delay_%d", "ch_output_btn_%d",
                                   "delay_link_%d", "ch_synchronize_%d"})
            for (int c = 0; c < 12; ++c) {
                std::snprintf(name, sizeof name, format, c);
                dump(name);
            }
        for (const char* format : {"eq_freq_%d", "eq_q_%d", "eq_gain_%d", "eq_slider_%d", "pt_enable_%d"})
            for (int b = 0; b < 31; ++b) {
                std::snprintf(name, sizeof name, format, b);
                dump(name);
            }
        for (int c = 0; c < 12; ++c)
            for (int in = 1; in <= 8; ++in) {
                std::snprintf(name, sizeof name, "option_ch_in%d_%d", in, c);
                dump(name);
            }
        for (int s = 1; s <= 24; ++s) {
            std::snprintf(name, sizeof name, "speaker_%d", s);
            dump(name);
        }
        for (const char* single : {"btn_link_output", "btn_lock_output", "btn_bypass", "hp_freq", "lp_freq",
                                   "hp_type", "lp_type", "hp_slop", "lp_slop", "comb_eq_type"})
            dump(single);
        out << page.equalizerView().mUpdates;
        return out.str();
    }
};

TEST_F(DspIntake, MainVolumeLevelBecomesAStepAndEndsThePoll)
{
    struct Case {
        int level;
        int step;
    };
    for (const Case c : {Case{0, 28}, Case{6, 39}, Case{-60, 1}, Case{-61, 0}}) {
        host.startTimer(GET_MAIN_VOLUME_TIMER, 1000);
        dspValue(DSP_VOLUME, c.level);
        EXPECT_EQ(live().mainVolume, c.step) << "level " << c.level;
        EXPECT_FALSE(host.timerRunning(GET_MAIN_VOLUME_TIMER));
    }
}

TEST_F(DspIntake, UnknownSourceCodesSelectSourceFour)
{
    struct Case {
        int deviceCode;
        int source;
    };
    for (const Case c : {Case{0x51, 0}, Case{0x54, 3}, Case{0x56, 5}, Case{0x59, 8}, Case{0x55, 4}, Case{0x20, 4},
                         Case{0x5A, 4}}) {
        dspValue(DSP_SOURCE_SWITCH, c.deviceCode);
        EXPECT_EQ(live().source, c.source) << std::hex << c.deviceCode;
        EXPECT_EQ(page.at("btn_input_source").currentIndex(), c.source);
    }
}

TEST_F(DspIntake, LiveBandIsEnabledAndHeldToItsRules)
{
    struct Case {
        const char* what;
        int freq;
        float q;
        float gain;
        int type;
        EqBand stored;
    };
    const Case cases[] = {
        {"peaking", 1000, 2.5f, 3.0f, 0, {3.0f, 2.5f, 1000, 1, 0}},
        {"a band without gain", 1000, 2.5f, 3.0f, 2, {0.0f, 2.5f, 1000, 1, 2}},
        {"outside the ranges", 0, 40.0f, 20.5f, 0, {12.0f, 28.852f, 20, 1, 0}},
    };
    for (const Case& c : cases) {
        live().bands[3][7].enable = 0;
        dspRecord(DSP_EQ_CH, bandRecord(0, 3, 7, c.freq, c.q, c.gain, c.type));
        EXPECT_EQ(live().bands[3][7], c.stored) << c.what;
    }
}

TEST_F(DspIntake, SceneBandKeepsItsEnableFlag)
{
    scene(2).bands[3][7].enable = 0;
    dspRecord(DSP_EQ_CH, bandRecord(2, 3, 7, 500, 1.0f, -4.0f, 0));
    const EqBand expected{-4.0f, 1.0f, 500, 0, 0};
    EXPECT_EQ(scene(2).bands[3][7], expected);
}

TEST_F(DspIntake, SilentMixLevelOfARoutedInputIsFullLevel)
{
    struct Case {
        int input;
        int level;
        int stored;
    };
    live().inputs[5][2] = 0b0101; // inputs 1 and 3 feed output 2
    for (const Case c : {Case{0, 0, 100}, Case{2, 40, 40}, Case{1, 0, 0}, Case{1, -5, 0}, Case{3, 127, 100}}) {
        live().inputMixVolume[5][static_cast<std::size_t>(c.input)][2] = 55;
        dspRecord(DSP_INPUT_MIX_CH_TRIM, mixTrimRecord(0, 5, c.input, 2, {c.level}));
        EXPECT_EQ(live().inputMixVolume[5][static_cast<std::size_t>(c.input)][2], c.stored)
            << "input " << c.input << " level " << c.level;
    }
}

TEST_F(DspIntake, MixLevelsOfARangeLandOnTheirOutputs)
{
    dspRecord(DSP_INPUT_MIX_CH_TRIM, mixTrimRecord(0, 0, 1, 9, {10, 20, 30}));
    EXPECT_EQ(live().inputMixVolume[0][1][9], 10);
    EXPECT_EQ(live().inputMixVolume[0][1][10], 20);
    EXPECT_EQ(live().inputMixVolume[0][1][11], 30);
}

TEST_F(DspIntake, ReportedRoleKeepsTheCrossover)
{
    const Crossover before = live().channels[4].crossover;
    dspRecord(DSP_CH_TYPE, channelValue<std::int32_t>(0, 4, 24));
    EXPECT_EQ(live().outputs[4], 24);
    EXPECT_EQ(live().outputs_bk[4], 24);
    EXPECT_EQ(live().channels[4].crossover, before);
}

TEST_F(DspIntake, NoiseGateIndexesBecomeDecibels)
{
    struct Case {
        int code;
        int index;
        float db;
        float SenceConfig::*field;
    };
    const Case cases[] = {
        {DSP_NOISE_GATE_THRESHOLD, 4, -36.0f, &SenceConfig::noiseGateThreshold},
        {DSP_NOISE_GATE_THRESHOLD, 0, -30.0f, &SenceConfig::noiseGateThreshold},
        {DSP_NOISE_GATE_DRC_GAIN, 32, 0.0f, &SenceConfig::noiseGateDrcGain},
        {DSP_NOISE_GATE_DRC_GAIN, 40, 8.0f, &SenceConfig::noiseGateDrcGain},
    };
    for (const Case& c : cases) {
        dspValue(c.code, c.index);
        EXPECT_FLOAT_EQ(live().*c.field, c.db) << std::hex << c.code << std::dec << " index " << c.index;
    }
}

TEST_F(DspIntake, LevelTakesTheSliderStepsAndRange)
{
    struct Case {
        int scene;
        float level;
        float gain;
    };
    for (const Case c : {Case{0, -3.5f, -3.5f}, Case{0, -70.0f, -60.0f}, Case{0, -0.29f, -0.3f},
                         Case{4, -70.0f, -60.0f}}) {
        dspRecord(DSP_TRIM_CH, channelValue<float>(c.scene, 6, c.level));
        EXPECT_FLOAT_EQ(scene(c.scene).channels[6].gain, c.gain) << "scene " << c.scene << " level " << c.level;
    }
    EXPECT_EQ(page.at("slider_ch_volume_6").value(), -3);
}

TEST_F(DspIntake, DelayIsHeldToFifteenMilliseconds)
{
    dspRecord(DSP_DELAY_CH, channelValue<float>(0, 2, 3.25f));
    EXPECT_FLOAT_EQ(live().channels[2].delay, 3.25f);
    dspRecord(DSP_DELAY_CH, channelValue<float>(0, 2, 200.5f));
    EXPECT_FLOAT_EQ(live().channels[2].delay, 15.0f);
}

// One scene-tagged report of each kind and how to see that it arrived.
struct SceneReport {
    const char* what;
    int code;
    std::function<std::unique_ptr<Record>(int scene)> make;
    std::function<bool(const SenceConfig&)> arrived;
};

std::vector<SceneReport> sceneReports()
{
    return {
        {"level", DSP_TRIM_CH, [](int s) { return channelValue<float>(s, 1, -7.5f); },
         [](const SenceConfig& r) { return r.channels[1].gain == -7.5f; }},
        {"delay", DSP_DELAY_CH, [](int s) { return channelValue<float>(s, 1, 2.5f); },
         [](const SenceConfig& r) { return r.channels[1].delay == 2.5f; }},
        {"mute", DSP_MUTE_CH, [](int s) { return channelValue<std::int32_t>(s, 1, 1); },
         [](const SenceConfig& r) { return r.channels[1].mute == 1; }},
        {"phase", DSP_PHASE_CH, [](int s) { return channelValue<std::int32_t>(s, 1, 1); },
         [](const SenceConfig& r) { return r.channels[1].phase == 1; }},
        {"solo", DSP_CH_SOLO, [](int s) { return channelValue<std::int32_t>(s, 1, 1); },
         [](const SenceConfig& r) { return r.channels[1].solo == 1; }},
        {"role", DSP_CH_TYPE, [](int s) { return channelValue<std::int32_t>(s, 1, 24); },
         [](const SenceConfig& r) { return r.outputs[1] == 24 && r.outputs_bk[1] == 24; }},
        {"bypass", DSP_EQ_BYPASS, [](int s) { return channelValue<std::int32_t>(s, 1, 0); },
         [](const SenceConfig& r) { return r.channels[1].bypass == 0; }},
        {"compressor on", DSP_COMPRESSOR_ON_CH, [](int s) { return channelValue<std::int32_t>(s, 1, 0); },
         [](const SenceConfig& r) { return r.channels[1].compressorOn == 0; }},
        {"band", DSP_EQ_CH, [](int s) { return bandRecord(s, 1, 5, 1234, 3.0f, -2.5f, 0); },
         [](const SenceConfig& r) { return r.bands[1][5].freq == 1234 && r.bands[1][5].eqGain == -2.5f; }},
        {"crossover", DSP_FILTER_SET,
         [](int s) {
             auto f = std::make_unique<FilterRecord>();
             f->scene = s;
             f->channel = 1;
             f->hpType = 3;
             f->hpFrequency = 150;
             f->hpSlope = 4;
             f->lpType = 1;
             f->lpFrequency = 25000;
             f->lpSlope = 0;
             return f;
         },
         [](const SenceConfig& r) {
             const Crossover& x = r.channels[1].crossover;
             return x.hp.fs == 150 && x.hp.type == 3 && x.hp.slope == 4 && x.hp.bypass == 0 && x.lp.fs == 20 &&
                    x.lp.bypass == 1;
         }},
        {"routing", DSP_MIX_CH,
         [](int s) {
             auto mix = std::make_unique<MixRecord>();
             mix->scene = s;
             mix->source = 0;
             mix->channel = 1;
             mix->mask = 0x3;
             return mix;
         },
         [](const SenceConfig& r) { return r.inputs[0][1] == 0x3; }},
        {"link", DSP_CH_LINK,
         [](int s) {
             auto l = std::make_unique<LinkRecord>();
             l->scene = s;
             l->link = 1;
             return l;
         },
         [](const SenceConfig& r) { return r.linkMode == 1; }},
        {"lock", DSP_CH_LOCK,
         [](int s) {
             auto l = std::make_unique<LockRecord>();
             l->scene = s;
             l->lock = 1;
             return l;
         },
         [](const SenceConfig& r) { return r.lockMode == 1; }},
        {"mix level", DSP_INPUT_MIX_CH_TRIM, [](int s) { return mixTrimRecord(s, 0, 1, 1, {30}); },
         [](const SenceConfig& r) { return r.inputMixVolume[0][1][1] == 30; }},
        {"cross-source mix", DSP_CROSS_SOURCE_MIX, [](int s) { return crossSourceRecord(s, 0, 1, 5, 1, 38); },
         [](const SenceConfig& r) {
             return r.csmViceSource[0][1] == 5 && r.csmViceCh[0][1] == 1 && r.csmViceGain[0][1] == 6;
         }},
    };
}

TEST_F(DspIntake, SceneTaggedReportsFillTheSceneCopyAndLeaveThePageAlone)
{
    openDirectly();
    const SenceConfig liveBefore = live();
    const std::string pageBefore = pageSnapshot();
    for (const SceneReport& report : sceneReports()) {
        dspRecord(report.code, report.make(3));
        EXPECT_TRUE(report.arrived(scene(3))) << report.what;
        EXPECT_FALSE(report.arrived(scene(2))) << report.what;
    }
    settle();
    EXPECT_TRUE(live() == liveBefore);
    EXPECT_EQ(pageSnapshot(), pageBefore);
    EXPECT_TRUE(amp->receivedRequests().empty());
}

TEST_F(DspIntake, SceneZeroReportsFillTheLiveRecord)
{
    for (const SceneReport& report : sceneReports()) {
        dspRecord(report.code, report.make(0));
        EXPECT_TRUE(report.arrived(live())) << report.what;
    }
}

TEST_F(DspIntake, ViceSourceIsKeptAsReportedForLiveAndScene)
{
    for (const int s : {0, 7}) {
        dspRecord(DSP_CROSS_SOURCE_MIX, crossSourceRecord(s, 5, 3, 9, 0, 32));
        EXPECT_EQ(scene(s).csmViceSource[5][3], 9) << "scene " << s;
        EXPECT_EQ(scene(s).csmViceGain[5][3], 0);
        dspRecord(DSP_CROSS_SOURCE_MIX_CS47048, crossSourceRecord(s, 5, 3, 2, 1, 0));
        EXPECT_EQ(scene(s).csmViceSource[5][3], 2) << "scene " << s;
        EXPECT_EQ(scene(s).csmViceCh[5][3], 1);
    }
}

TEST_F(DspIntake, ReportsOutsideTheRecordAreIgnored)
{
    live().channels[0].eqSize = 10;
    live().channels[2].eqSize = 200; // never a bound beyond the band row
    const std::vector<std::pair<int, std::function<std::unique_ptr<Record>()>>> reports = {
        {DSP_TRIM_CH, [] { return channelValue<float>(0, 12, -5.0f); }},
        {DSP_TRIM_CH, [] { return channelValue<float>(0, -1, -5.0f); }},
        {DSP_TRIM_CH, [] { return channelValue<float>(11, 0, -5.0f); }},
        {DSP_MUTE_CH, [] { return channelValue<std::int32_t>(0, 12, 1); }},
        {DSP_CH_TYPE, [] { return channelValue<std::int32_t>(0, 0, 25); }},
        {DSP_EQ_CH, [] { return bandRecord(0, 0, 10, 500, 1.0f, 3.0f, 0); }},
        {DSP_EQ_CH, [] { return bandRecord(0, 1, 31, 500, 1.0f, 3.0f, 0); }},
        {DSP_EQ_CH, [] { return bandRecord(0, 12, 0, 500, 1.0f, 3.0f, 0); }},
        {DSP_EQ_CH, [] { return bandRecord(0, 2, 31, 500, 1.0f, 3.0f, 0); }},
        {DSP_EQ_CH, [] { return bandRecord(0, 2, -1, 500, 1.0f, 3.0f, 0); }},
        {DSP_INPUT_MIX_CH_TRIM, [] { return mixTrimRecord(0, 0, 8, 0, {50}); }},
        {DSP_INPUT_MIX_CH_TRIM, [] { return mixTrimRecord(0, 9, 0, 0, {50}); }},
        {DSP_INPUT_MIX_CH_TRIM, [] { return mixTrimRecord(0, 0, 0, 12, {50, 50}); }},
        {DSP_CROSS_SOURCE_MIX, [] { return crossSourceRecord(0, 0, 8, 1, 0, 32); }},
        {DSP_CROSS_SOURCE_MIX, [] { return crossSourceRecord(0, 9, 0, 1, 0, 32); }},
        {DSP_CROSS_SOURCE_MIX, [] { return crossSourceRecord(0, 0, 0, 10, 0, 32); }},
        {DSP_CROSS_SOURCE_MIX, [] { return crossSourceRecord(0, 0, 0, 1, 8, 32); }},
        {DSP_MIX_CH,
         [] {
             auto mix = std::make_unique<MixRecord>();
             mix->source = 9;
             mix->mask = 0xFF;
             return mix;
         }},
        {DSP_COMPRESSOR_SETTING,
         [] {
             auto c = std::make_unique<CompressorRecord>();
             c->channel = 12;
             return c;
         }},
        // A report without its record, or with another record than its code's.
        {DSP_TRIM_CH, []() -> std::unique_ptr<Record> { return nullptr; }},
        {DSP_TRIM_CH, [] { return channelValue<std::int32_t>(0, 0, -5); }},
    };
    const SenceConfig liveBefore = live();
    const auto scenesBefore = manager->scenes();
    for (const auto& [code, make] : reports)
        dspRecord(code, make());
    EXPECT_TRUE(live() == liveBefore);
    EXPECT_TRUE(manager->scenes() == scenesBefore);
}

TEST_F(DspIntake, UnlockWhileLinkedEndsTheLinkOnTheDevice)
{
    openDirectly();
    live().linkMode = 1;
    live().lockMode = 1;
    live().linkOutputs = {1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10};
    page.at("btn_link_output").setChecked(true);
    auto lock = std::make_unique<LockRecord>();
    lock->lock = 0;
    dspRecord(DSP_CH_LOCK, std::move(lock));
    settle();

    EXPECT_EQ(live().lockMode, 0);
    EXPECT_EQ(live().linkMode, 0);
    EXPECT_EQ(live().linkOutputs, (std::array<std::int32_t, 12>{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_FALSE(page.at("btn_link_output").checked());
    EXPECT_FALSE(page.at("btn_lock_output").checked());
    EXPECT_TRUE(page.at("ch_output_btn_5").enabled());
    ASSERT_EQ(received(DSP_CH_LINK).size(), 1u);
    EXPECT_EQ(received(DSP_CH_LINK)[0].data, (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST_F(DspIntake, LockWithoutLinkSendsNothing)
{
    openDirectly();
    auto lock = std::make_unique<LockRecord>();
    lock->lock = 1;
    dspRecord(DSP_CH_LOCK, std::move(lock));
    settle();
    EXPECT_EQ(live().lockMode, 1);
    EXPECT_TRUE(page.at("btn_lock_output").checked());
    EXPECT_FALSE(page.at("ch_output_btn_0").enabled());
    EXPECT_TRUE(amp->receivedRequests().empty());
}

TEST_F(DspIntake, LinkReportLocksAndPairsTheOutputs)
{
    auto link = std::make_unique<LinkRecord>();
    link->link = 1;
    dspRecord(DSP_CH_LINK, std::move(link));
    EXPECT_EQ(live().linkMode, 1);
    EXPECT_EQ(live().lockMode, 1);
    EXPECT_TRUE(page.at("btn_link_output").checked());
    EXPECT_TRUE(page.at("btn_lock_output").checked());
    EXPECT_FALSE(page.at("ch_output_btn_3").enabled());
    EXPECT_FALSE(page.at("delay_link_3").enabled());
    // The factory roles pair 0/1, 2/3, 4/5 and 6/7, 8/9, 10/11.
    EXPECT_EQ(live().linkOutputs, (std::array<std::int32_t, 12>{1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10}));

    auto unlink = std::make_unique<LinkRecord>();
    dspRecord(DSP_CH_LINK, std::move(unlink));
    EXPECT_EQ(live().linkMode, 0);
    EXPECT_EQ(live().lockMode, 1);
    EXPECT_FALSE(page.at("btn_link_output").checked());
    EXPECT_EQ(live().linkOutputs[0], -1);
}

TEST_F(DspIntake, BridgeReportSetsTheFlagsAndSendsThemBackWithoutCopying)
{
    openDirectly();
    live().channels[1].gain = -9.0f;
    auto bridge = std::make_unique<BridgeRecord>();
    bridge->count = 8; // more than there are pairs
    bridge->bridges = {1, 0, 1, 0, 0, 0, 1, 1};
    dspRecord(DSP_OUPUT_BRIDGE, std::move(bridge));
    settle();
    EXPECT_EQ(live().bridgeOutputs, (std::array<std::int32_t, 6>{1, 0, 1, 0, 0, 0}));
    EXPECT_FLOAT_EQ(live().channels[1].gain, -9.0f);
    ASSERT_EQ(received(DSP_OUPUT_BRIDGE).size(), 1u);
    EXPECT_EQ(received(DSP_OUPUT_BRIDGE)[0].data, (std::vector<std::uint8_t>{0, 0, 6, 1, 0, 1, 0, 0, 0}));
}

TEST_F(DspIntake, DspStatusDisconnectsAndExplainsOnlyOff)
{
    struct Case {
        int status;
        bool explained;
    };
    for (const Case c : {Case{1, false}, Case{0, true}}) {
        openDirectly();
        host.asked.clear();
        dspValue(DSP_DSP_STATUS, c.status);
        EXPECT_FALSE(link->IsConnected()) << "status " << c.status;
        EXPECT_EQ(page.at("btnConnect").text(), "${btn_disconnected}");
        ASSERT_EQ(host.asked.size(), c.explained ? 1u : 0u) << "status " << c.status;
        if (c.explained) {
            EXPECT_EQ(host.asked[0].title, "${tips}");
            EXPECT_EQ(host.asked[0].text, "${dsp_is_off}");
            EXPECT_EQ(host.asked[0].captions, std::vector<std::string>{"${confirm}"});
        }
    }
}

TEST_F(DspIntake, AmplifierWideSwitchesShowTheirState)
{
    struct Case {
        int code;
        int value;
        const char* button;
        const char* text;
        bool on;
    };
    const Case cases[] = {
        {DSP_AMP_MUTE, 1, "btn_amp_onoff", "${amp_off}", false},
        {DSP_AMP_MUTE, 0, "btn_amp_onoff", "${amp_on}", true},
        {DSP_SPK_OHM, 0, "btn_2ohm_spk", "${btn_4ohm_spk}", false},
        {DSP_SPK_OHM, 1, "btn_2ohm_spk", "${btn_2ohm_spk}", true},
        {DSP_NOISE_GATE, 1, "btn_noise_gate", "${btn_noise_gate_on}", true},
        {DSP_NOISE_GATE, 0, "btn_noise_gate", "${btn_noise_gate_off}", false},
    };
    for (const Case& c : cases) {
        dspValue(c.code, c.value);
        const MemoryControl& button = page.at(c.button);
        EXPECT_EQ(button.text(), c.text);
        EXPECT_EQ(button.selected(), c.on) << c.text;
        EXPECT_EQ(button.textColor(), c.on ? 0xFFFFFFFFu : 0xFFFF0000u) << c.text;
    }
    EXPECT_EQ(live().ampOn, 1);
    EXPECT_EQ(live().spkOhm, 1);
    EXPECT_EQ(live().noiseGate, 0);

    auto rem = std::make_unique<RemoteOutRecord>();
    rem->remOut1 = 0;
    rem->remOut2 = 1;
    dspRecord(DSP_REM_OUT, std::move(rem));
    EXPECT_EQ(live().remOut1, 0);
    EXPECT_EQ(live().remOut2, 1);
    EXPECT_EQ(page.at("btn_rem_out1_onoff").text(), "${rem_out1_off}");
    EXPECT_EQ(page.at("btn_rem_out2_onoff").text(), "${rem_out2_on}");

    dspValue(DSP_MUTE, 1);
    EXPECT_EQ(live().mainVolumeMute, 1);
    EXPECT_TRUE(page.at("main_mute").checked());
}

TEST_F(DspIntake, CompressorSettingsOfAnOutput)
{
    auto all = std::make_unique<CompressorRecord>();
    all->channel = 5;
    all->bypass = 0;
    all->threshold = -20.5f;
    all->ratio = 4.0f;
    all->attack = 30;
    all->release = 800;
    all->knee = 6.0f;
    dspRecord(DSP_COMPRESSOR_SETTING, std::move(all));
    EXPECT_EQ(live().compressor[5], (CompressorSettings{0, -20.5f, 4.0f, 30, 800, 6.0f}));

    auto some = std::make_unique<CompressorRecord>();
    some->channel = 5;
    some->threshold = -10.0f;
    some->attack = 5;
    some->release = 1200;
    dspRecord(DSP_COMPRESSOR_SETTING2, std::move(some));
    EXPECT_EQ(live().compressor[5], (CompressorSettings{0, -10.0f, 4.0f, 5, 1200, 6.0f}));
}

TEST_F(DspIntake, RoutingOfTheCurrentSourceShowsOnTheSelectors)
{
    live().source = 5;
    for (const int source : {5, 0}) {
        auto mix = std::make_unique<MixRecord>();
        mix->source = source;
        mix->channel = 7;
        mix->mask = source == 5 ? 0b10000101 : 0b01111010;
        dspRecord(DSP_MIX_CH, std::move(mix));
    }
    for (int in = 1; in <= 8; ++in)
        EXPECT_EQ(page.at("option_ch_in" + std::to_string(in) + "_7").checked(), in == 1 || in == 3 || in == 8)
            << "input " << in;
    EXPECT_EQ(live().inputs[0][7], 0b01111010);
}

// Replies to real queries, decoded by the link, reach the right record.
TEST_F(DspIntake, QueryRepliesFromTheAmplifier)
{
    openDirectly();
    amp->edit([](sim::DeviceState& d) {
        d.live.channels[2].trim = {3, 50};
        d.sceneEdits[2].channels[2].trim = {12, 0};
        d.live.crossSource[5][1] = {7, 0, 35};
    });
    ASSERT_TRUE(link->Get_Trim(0, 0, 0, 11));
    ASSERT_TRUE(link->Get_Trim(3, 0, 0, 11));
    ASSERT_TRUE(link->Get_Cross_Source_Mix(0, 5, 1));
    host.pump();
    EXPECT_FLOAT_EQ(live().channels[2].gain, -3.5f);
    EXPECT_FLOAT_EQ(scene(3).channels[2].gain, -12.0f);
    EXPECT_FLOAT_EQ(live().channels[3].gain, 0.0f);
    EXPECT_EQ(live().csmViceSource[5][1], 7);
    EXPECT_EQ(live().csmViceGain[5][1], 3);
}

// The connect-time read: every reply of the amplifier lands where it belongs.
TEST_F(DspIntake, ConnectTimeReadFillsTheLiveRecord)
{
    amp->edit([](sim::DeviceState& d) {
        d.amp.source = 0x56;
        d.amp.volumeDb = 0;
        d.amp.noiseGateThreshold = 4;
        sim::ChannelState& ch = d.live.channels[3];
        ch.role = 24;
        ch.filter = {2, 0x00, 0x50, 4, 3, 0x01, 0xF4, 2};
        ch.bands[4] = {0x03, 0xE8, 2, 0x01, 0xF4, 21, 5};
        ch.eqBypass = 0;
        ch.delay = {2, 0x01, 0xF4};
        ch.trim = {6, 0};
        ch.mute = 1;
        d.live.mixMask[5][3] = 0b1001;
        d.live.mixLevel[5][0][3] = 0;
        d.live.mixLevel[5][3][3] = 40;
        d.live.bridge[2] = 1;
        d.live.crossSource[5][2] = {3, 1, 30};
    });
    manager->connection().UpdateDeviceList();
    manager->connection().SelectFirstDevice();
    manager->connection().ConnectDevice(false);
    host.pump();
    ASSERT_TRUE(manager->connection().Connected());

    const SenceConfig& s = live();
    EXPECT_EQ(s.source, 5);
    EXPECT_EQ(page.at("btn_input_source").currentIndex(), 5);
    EXPECT_EQ(s.mainVolume, 28);
    EXPECT_FLOAT_EQ(s.noiseGateThreshold, -36.0f);
    EXPECT_EQ(s.outputs[3], 24);
    const Crossover& x = s.channels[3].crossover;
    EXPECT_EQ(x.hp.fs, 80);
    EXPECT_EQ(x.hp.slope, 4);
    EXPECT_EQ(x.lp.fs, 500);
    EXPECT_EQ(x.lp.type, 3);
    const EqBand band{3.5f, 2.5f, 1000, 1, 0};
    EXPECT_EQ(s.bands[3][4], band);
    EXPECT_EQ(s.channels[3].bypass, 0);
    EXPECT_FLOAT_EQ(s.channels[3].delay, 2.5f);
    EXPECT_FLOAT_EQ(s.channels[3].gain, -6.0f);
    EXPECT_EQ(s.channels[3].mute, 1);
    EXPECT_EQ(s.inputs[5][3], 0b1001);
    EXPECT_EQ(s.inputMixVolume[5][0][3], 100);
    EXPECT_EQ(s.inputMixVolume[5][3][3], 40);
    EXPECT_EQ(s.bridgeOutputs, (std::array<std::int32_t, 6>{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(s.csmViceSource[5][2], 3);
    EXPECT_EQ(s.csmViceCh[5][2], 1);
    EXPECT_EQ(s.csmViceGain[5][2], -2);
}

} // namespace
} // namespace dravo::test
