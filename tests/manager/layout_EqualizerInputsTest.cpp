#include "layout_Fixture.h"

#include <functional>

namespace dravo::test {
namespace {

// --- Declined questions ------------------------------------------------------

struct DeclineCase {
    const char* name;
    std::function<void(LayoutRules&)> run;
};

class DeclinedQuestion : public LayoutFixture, public testing::WithParamInterface<DeclineCase> {};

TEST_P(DeclinedQuestion, ChangesNothingAndSendsNothing)
{
    const DeclineCase& tc = GetParam();
    openDirectly();
    live().bands[0][2].eqGain = 3.0f;
    live().channels[0].bypass = 0;
    at("eq_slider_2").setValue(30);
    const SenceConfig before = live();
    const bool peqChecked = at("btn_arg_eq").checked();

    host.answer({0});
    tc.run(layout());
    settle();

    EXPECT_EQ(host.asked.size(), 1u);
    EXPECT_TRUE(live() == before);
    EXPECT_TRUE(amp->receivedRequests().empty());
    EXPECT_TRUE(host.workers.empty());
    EXPECT_FALSE(at("btn_link_output").checked());
    EXPECT_FALSE(at("btn_lock_output").checked());
    EXPECT_EQ(at("btn_arg_eq").checked(), peqChecked);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, DeclinedQuestion,
    testing::Values(DeclineCase{"Link", [](LayoutRules& l) { l.SetOutputLink(); }},
                    DeclineCase{"Lock", [](LayoutRules& l) { l.SetOutpuLock(); }},
                    DeclineCase{"Bypass", [](LayoutRules& l) { l.SetOutputBypass(); }},
                    DeclineCase{"EqReset", [](LayoutRules& l) { l.SetOutputEqReset(); }},
                    DeclineCase{"OutputReset", [](LayoutRules& l) { l.SetOutputReset(); }},
                    DeclineCase{"PeqMode", [](LayoutRules& l) { l.SetPeqMode(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Bypass ------------------------------------------------------------------

struct BypassCase {
    const char* name;
    float storedGain;
    int slider;
    std::uint8_t bypassBefore;
    const char* question;  // nullptr: none asked
    std::uint8_t bypassAfter;
    const char* button;
};

class Bypass : public LayoutFixture, public testing::WithParamInterface<BypassCase> {};

TEST_P(Bypass, DecidesFromTheSlidersAndTheStoredGains)
{
    const BypassCase& tc = GetParam();
    openDirectly();
    live().bridgeOutputs[0] = 1;  // output 1 is the partner
    live().syncGroup[0] = live().syncGroup[8] = 1;
    live().bands[0][5].eqGain = tc.storedGain;
    live().channels[0].bypass = tc.bypassBefore;
    at("eq_slider_5").setValue(tc.slider);

    host.answer({1});
    layout().SetOutputBypass();
    settle();

    if (tc.question) {
        ASSERT_EQ(host.asked.size(), 1u);
        EXPECT_EQ(host.asked[0].text, tc.question);
    } else {
        EXPECT_TRUE(host.asked.empty());
    }
    for (int c : {0, 1, 8})
        EXPECT_EQ(live().channels[c].bypass, tc.bypassAfter) << "output " << c;
    EXPECT_EQ(at("btn_bypass").text(), tc.button);
    const std::uint8_t flag = tc.bypassAfter;
    EXPECT_EQ(payloads(DSP_EQ_BYPASS),
              (std::vector<Bytes>{{0, 0, 0, 0, flag}, {0, 0, 8, 8, flag}, {0, 0, 1, 1, flag}}));
}

INSTANTIATE_TEST_SUITE_P(
    States, Bypass,
    testing::Values(BypassCase{"GainsShown", 3.0f, 30, 0, "${bypass_all_eq_tips}", 1, "${restore_eq}"},
                    BypassCase{"GainsHidden", 3.0f, 0, 1, "${restore_all_eq_tips}", 0, "${bypass_eq}"},
                    BypassCase{"AllFlat", 0.0f, 0, 1, nullptr, 0, "${bypass_eq}"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LayoutFixture, EqResetFlattensTheOutputAndItsPartnerAndNamesBothToTheDevice)
{
    openDirectly();
    live().bridgeOutputs[3] = 1;
    live().currOutChannel = 7;
    live().bands[7][0].eqGain = 5.0f;
    live().bands[6][30] = {-3.0f, 1.0f, 12000, 0, 3};

    host.answer({1});
    layout().SetOutputEqReset();
    settle();

    BandRow flat{};
    resetBands(flat, 31);
    EXPECT_EQ(live().bands[7], flat);
    EXPECT_EQ(live().bands[6], flat);
    EXPECT_EQ(at("btn_bypass").text(), "${bypass_eq}");
    EXPECT_EQ(payloads(DSP_EQ_RESET), (std::vector<Bytes>{{0, 0, 2, 7, 6}}));
    EXPECT_TRUE(payloads(DSP_EQ_CH).empty()) << "the device resets the partner itself";
}

TEST_F(LayoutFixture, ViewModeSwitchIsAViewSettingOnly)
{
    openDirectly();
    host.answer({1});
    layout().SetPeqMode();

    EXPECT_EQ(host.asked.at(0).text, "${peq_mode_tips}");
    EXPECT_TRUE(at("btn_arg_eq").checked());
    EXPECT_EQ(at("btn_arg_eq").text(), "${peq_mode}");
    EXPECT_TRUE(page.equalizerView().mParametric);
    EXPECT_TRUE(at("eq_freq_%d", 4).enabled());

    host.answer({1});
    layout().SetPeqMode();
    EXPECT_EQ(host.asked.at(1).text, "${geq_mode_tips}");
    EXPECT_FALSE(page.equalizerView().mParametric);
    EXPECT_FALSE(at("eq_freq_%d", 4).enabled());
    EXPECT_EQ(live().peqMode, 0);
    settle();
    EXPECT_TRUE(amp->receivedRequests().empty());
}

// --- Source and routing ------------------------------------------------------

TEST_F(LayoutFixture, SourceShowsItsOwnInputSelectorsAndSwitchesTheDevice)
{
    openDirectly();
    layout().SetInputSource(3);
    settle();

    EXPECT_EQ(live().source, 3);
    EXPECT_EQ(live().currSource, 3);
    EXPECT_EQ(at("btn_input_source").itemImage(3), "source_select.png");
    EXPECT_EQ(at("btn_input_source").itemImage(5), "source_normal.png");
    // Output 4 takes inputs 1 and 2 from this source; the source has two inputs.
    EXPECT_TRUE(at("option_ch_in1_4").checked());
    EXPECT_TRUE(at("option_ch_in2_4").checked());
    EXPECT_FALSE(at("option_ch_in2_0").checked());
    EXPECT_FALSE(at("option_ch_in3_4").visible());
    EXPECT_EQ(payloads(DSP_SOURCE_SWITCH), (std::vector<Bytes>{{0x54}}));
}

struct RouteCase {
    const char* name;
    int maskBefore;
    int levelBefore;  // of input 3 on output 2
    bool on;
    int maskAfter;
    int levelAfter;
    bool levelSent;
};

class Routing : public LayoutFixture, public testing::WithParamInterface<RouteCase> {};

TEST_P(Routing, Input3ToOutput2)
{
    const RouteCase& tc = GetParam();
    openDirectly();
    live().source = 5;
    live().inputs[5][2] = tc.maskBefore;
    live().inputMixVolume[5][2][2] = tc.levelBefore;
    at("option_ch_in3_2").setChecked(tc.on);

    layout().SetInputIn(3, 2);
    settle();

    EXPECT_EQ(live().inputs[5][2], tc.maskAfter);
    EXPECT_EQ(live().inputMixVolume[5][2][2], tc.levelAfter);
    EXPECT_EQ(payloads(DSP_MIX_CH), (std::vector<Bytes>{{0, 5, 2, 2, static_cast<std::uint8_t>(tc.maskAfter)}}));
    const auto trims = payloads(DSP_INPUT_MIX_CH_TRIM);
    if (tc.levelSent)
        EXPECT_EQ(trims, (std::vector<Bytes>{{0, 5, 2, 2, 2, 100}}));
    else
        EXPECT_TRUE(trims.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Routing,
                         testing::Values(RouteCase{"SilentInputGetsFullLevel", 0x1, 0, true, 0x5, 100, true},
                                         RouteCase{"SetLevelIsKept", 0x1, 40, true, 0x5, 40, false},
                                         RouteCase{"OffKeepsTheLevel", 0x5, 40, false, 0x1, 40, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dravo::test
