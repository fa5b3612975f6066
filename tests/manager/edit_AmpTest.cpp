#include "edit_Fixture.h"

#include "EditingRulesValues.h"
#include "LayoutRules.h"
#include "MainVolumeScale.h"

namespace dravo::test {
namespace {

class EditAmp : public EditFixture {
protected:
    sim::AmpSettings ampNow()
    {
        settle();
        return amp->state().amp;
    }
    std::size_t volumeRequests(std::uint8_t op)
    {
        std::size_t n = 0;
        for (const auto& r : received(DSP_VOLUME))
            n += r.op == op ? 1 : 0;
        return n;
    }
};

TEST_F(EditAmp, MainVolumeStepIsShownAndSentAsAttenuation)
{
    const struct {
        int step;
        const char* shown;
        int attenuation;
    } cases[] = {{0, "${off}", 66}, {40, "40", 0}, {30, "30", 5}, {1, "1", 66}};
    for (const auto& c : cases) {
        host.advance(1000);
        clearReceived();
        at("slider_main_volume").setValue(c.step);
        edit().SetMainVolumeSlider();
        EXPECT_EQ(live().mainVolume, c.step);
        EXPECT_EQ(at("edit_main_volume").text(), c.shown);
        settle();
        const auto sent = received(DSP_VOLUME);
        ASSERT_EQ(sent.size(), 1u) << c.step;
        EXPECT_EQ(sent[0].data.at(0), c.attenuation) << c.step;
    }
}

TEST_F(EditAmp, TypedMainVolumeIsRoundedAndClamped)
{
    const struct {
        const char* typed;
        int step;
    } cases[] = {{"${off}", 0}, {"12.6", 13}, {"55", 40}, {"-3", 0}, {"loud", 0}};
    for (const auto& c : cases) {
        at("edit_main_volume").setText(c.typed);
        edit().SetMainVolumeEdit();
        EXPECT_EQ(live().mainVolume, c.step) << c.typed;
        EXPECT_EQ(at("slider_main_volume").value(), c.step) << c.typed;
        EXPECT_EQ(at("edit_main_volume").text(), MainVolumeText(c.step)) << c.typed;
    }
}

TEST_F(EditAmp, QuickMainVolumeMovesLeaveTheLatestForTheTrailingSend)
{
    live().mainVolumeMute = 1;
    at("main_mute").setChecked(true);
    clearReceived();
    edit().SetMainVolumeUp(true);  // from the held step 30
    host.advance(50);
    edit().SetMainVolumeUp(true);
    host.advance(50);
    edit().SetMainVolumeUp(true);
    settle();
    EXPECT_EQ(volumeRequests(OP_SET), 1u);
    EXPECT_EQ(live().mainVolumeMute, 0);  // turning the volume unmutes
    EXPECT_FALSE(at("main_mute").checked());
    EXPECT_EQ(ampNow().mute, 0);

    host.advance(100);
    settle();
    EXPECT_EQ(volumeRequests(OP_SET), 2u);
    EXPECT_EQ(live().mainVolume, 33);
    EXPECT_EQ(ampNow().volumeDb, 6 - mainVolumeAttenuation(33));
}

TEST_F(EditAmp, MainVolumePollAsksTenTimesThenStops)
{
    clearReceived();
    edit().StartMainVolumePoll();
    for (int i = 0; i < 12; ++i)
        host.advance(1000);
    settle();
    EXPECT_EQ(volumeRequests(OP_GET), 10u);
    EXPECT_FALSE(host.timerRunning(GET_MAIN_VOLUME_TIMER));
}

TEST_F(EditAmp, ToggleButtonsFlipDrawAndSend)
{
    struct Case {
        void (EditingRules::*click)();
        const char* control;
        std::int32_t SenceConfig::*field;
        const char* onText;
        const char* offText;
        std::uint8_t sub;
        std::vector<std::uint8_t> (*wire)(const SenceConfig&);
    };
    const Case cases[] = {
        {&EditingRules::SetNoiseGateButton, "btn_noise_gate", &SenceConfig::noiseGate, "${btn_noise_gate_on}",
         "${btn_noise_gate_off}", DSP_NOISE_GATE,
         [](const SenceConfig& s) { return std::vector<std::uint8_t>{std::uint8_t(s.noiseGate)}; }},
        {&EditingRules::SetRemOut1OnOffButton, "btn_rem_out1_onoff", &SenceConfig::remOut1, "${rem_out1_on}",
         "${rem_out1_off}", DSP_REM_OUT,
         [](const SenceConfig& s) { return std::vector<std::uint8_t>{std::uint8_t(s.remOut1), std::uint8_t(s.remOut2)}; }},
        {&EditingRules::SetRemOut2OnOffButton, "btn_rem_out2_onoff", &SenceConfig::remOut2, "${rem_out2_on}",
         "${rem_out2_off}", DSP_REM_OUT,
         [](const SenceConfig& s) { return std::vector<std::uint8_t>{std::uint8_t(s.remOut1), std::uint8_t(s.remOut2)}; }},
        {&EditingRules::SetAmpOnOff, "btn_amp_onoff", &SenceConfig::ampOn, "${amp_on}", "${amp_off}", DSP_AMP_MUTE,
         [](const SenceConfig& s) { return std::vector<std::uint8_t>{std::uint8_t(s.ampOn == 1 ? 0 : 1)}; }},
        {&EditingRules::SetSpkOhmButton, "btn_2ohm_spk", &SenceConfig::spkOhm, "${btn_2ohm_spk}", "${btn_4ohm_spk}",
         DSP_SPK_OHM, [](const SenceConfig& s) { return std::vector<std::uint8_t>{std::uint8_t(s.spkOhm)}; }},
    };
    for (const Case& c : cases) {
        for (int round = 0; round < 2; ++round) {
            const std::int32_t before = live().*c.field;
            clearReceived();
            (edit().*c.click)();
            const bool on = live().*c.field == 1;
            EXPECT_EQ(live().*c.field, before == 0 ? 1 : 0) << c.control;
            EXPECT_EQ(at(c.control).text(), on ? c.onText : c.offText);
            EXPECT_EQ(at(c.control).selected(), on);
            EXPECT_EQ(at(c.control).textColor(), on ? 0xFFFFFFFFu : 0xFFFF0000u);
            settle();
            const auto sent = received(c.sub);
            ASSERT_EQ(sent.size(), 1u) << c.control;
            EXPECT_EQ(sent[0].data, c.wire(live())) << c.control;
        }
    }
}

TEST_F(EditAmp, UsbOptionOffersOneUsbSourceAndMovesTheSelectionAcross)
{
    manager->layout().SetInputSource(7);
    ASSERT_EQ(live().source, 7);
    edit().SetUsbOption(1);
    EXPECT_EQ(manager->mUsbUdpOrScp, 1);
    EXPECT_FALSE(at("btn_input_source").itemVisible(7));
    EXPECT_TRUE(at("btn_input_source").itemVisible(8));
    EXPECT_EQ(live().source, 8);
    EXPECT_EQ(at("btn_input_source").currentIndex(), 8);
    EXPECT_EQ(ampNow().usbPowerPin, 0);

    edit().SetUsbOption(0);
    EXPECT_EQ(live().source, 7);
    EXPECT_EQ(ampNow().usbPowerPin, 1);
}

TEST_F(EditAmp, AccShowsOffAtTheSliderMinimum)
{
    at("slider_acc").setRange(0, 30);
    const struct {
        const char* typed;
        int acc;
        const char* shown;
    } cases[] = {{"12", 12, "12"}, {"${off}", 0, "${off}"}, {"45", 30, "30"}, {"x", 30, "30"}};
    for (const auto& c : cases) {
        at("edit_acc").setText(c.typed);
        edit().SetAccEdit();
        EXPECT_EQ(live().acc, c.acc) << c.typed;
        EXPECT_EQ(at("edit_acc").text(), c.shown) << c.typed;
    }
    edit().SetAccUp(false);
    EXPECT_EQ(live().acc, 29);
    EXPECT_EQ(ampNow().acc, 29);
}

} // namespace
} // namespace dravo::test
