#include "MainPageDispatch.h"

#include "CurveNotifications.h"
#include "ModelSizes.h"

#include "Connection.h"
#include "EditRing.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "FeatureSwitches.h"
#include "LayoutRules.h"
#include "Log.h"
#include "MainWindowActions.h"
#include "QtControl.h"
#include "QtPage.h"
#include "UIEqualizer.h"
#include "ValueIntake.h"

#include <QLineEdit>

#include <cstdio>
#include <iterator>

namespace dravo {
namespace {

// The web address "web_btn_1" would open; none in this configuration.
constexpr const char* kWebAddress = "";
// An auto-save slot that holds no saved scene.
constexpr const char* kEmptyAutoSave = "--:--";

enum class Match { Exact, Prefix };

// Runs the first of `count` rows that the notification's name matches.
template <class RowT>
bool runFirst(MainPageDispatch& d, const RowT* rows, std::size_t count, const Notification& n)
{
    for (std::size_t i = 0; i < count; ++i) {
        const RowT& row = rows[i];
        if (row.match == Match::Exact ? n.name == QLatin1String(row.name) : n.nameStartsWith(row.name)) {
            row.action(d, n);
            return true;
        }
    }
    return false;
}

template <class RowT, std::size_t N>
bool runFirst(MainPageDispatch& d, const RowT (&rows)[N], const Notification& n)
{
    return runFirst(d, rows, N, n);
}

QByteArray nameOf(const Notification& n)
{
    return n.name.toUtf8();
}

} // namespace

struct MainPageDispatch::Row {
    Match match;
    const char* name;
    void (*action)(MainPageDispatch&, const Notification&);
};

MainPageDispatch::MainPageDispatch(EqualizerManager& manager, QtPage& page, MainWindowActions& actions)
    : m(manager), mPage(page), mActions(actions), mContext(std::make_unique<QObject>())
{
    // The curve reports its drags on a signal of its own, not through the
    // layout's notification adapter.
    if (auto* curve = qobject_cast<UIEqualizer*>(page.widget("equalizer")))
        QObject::connect(curve, &UIEqualizer::notify, mContext.get(), [this](const Notification& n) { Notify(n); });
}

MainPageDispatch::~MainPageDispatch() = default;

bool MainPageDispatch::Notify(const Notification& n)
{
    if (n.is(notify::kClick))
        return onClick(n);
    if (n.is(notify::kDbClick))
        return onDoubleClick(n);
    if (n.is(notify::kSelectChanged))
        return onSelectChanged(n);
    if (n.is(notify::kValueChanged) || n.is(notify::kMoveValueChanged))
        return onSliderValue(n);
    if (n.is(notify::kValueChangedUp) || n.is(notify::kValueChangedDown))
        return onStep(n, n.is(notify::kValueChangedUp));
    if (n.is(notify::kValueChangedLeft) || n.is(notify::kValueChangedRight))
        return onWalk(n, n.is(notify::kValueChangedRight));
    if (n.is(notify::kReturn))
        return onReturn(n);
    if (n.is(notify::kKillFocus))
        return onKillFocus(n);
    if (n.is(notify::kSetFocus))
        return onSetFocus(n);
    if (n.is(notify::kItemSelect))
        return onItemSelect(n);
    if (n.is(notify::kWindowSize))
        return onWindowSize();
    if (const auto notice = findCurveNotice(n.type))
        return onEqualizer(n, notice->cmd, notice->final);
    return false;
}

// --- Helpers -------------------------------------------------------------------

int MainPageDispatch::currentChannel() const
{
    return m.live().currOutChannel;
}

int MainPageDispatch::bandCount() const
{
    return m.live().eqSizeOf(currentChannel());
}

bool MainPageDispatch::reachable(const std::string& name) const
{
    QWidget* w = mPage.widget(name);
    return w && mPage.root() && w->isVisibleTo(mPage.root()) && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

void MainPageDispatch::showDelaySlider(int channel)
{
    for (int c = 0; c < kOutputCount; ++c) {
        const bool shown = c == channel;
        m.ctl("container_ch_delay_%d", c).setVisible(shown);
        m.ctl("slider_ch_delay_%d", c).setVisible(shown);
        m.ctl("control_empty_%d", c).setVisible(!shown);
    }
}

// --- "click" ---------------------------------------------------------------------

bool MainPageDispatch::onClick(const Notification& n)
{
    if (n.name == QLatin1String("minbtn")) {
        mActions.Minimize();
        return true;
    }
    bool matched = false;
    if (n.name == QLatin1String("web_btn_1")) {
        // The shell would open the address; there is none to open here.
        matched = true;
        if (*kWebAddress != '\0')
            LogWrite("open %s\n", kWebAddress);
    }
    const bool first = onClickTable(n);
    const bool further = onClickFurther(n);
    return matched || first || further;
}

bool MainPageDispatch::onClickTable(const Notification& n)
{
    using D = MainPageDispatch;
    static constexpr Row kRows[] = {
        {Match::Exact, "btnDpi",
         [](D& d, const Notification&) {
             // The scale selector is a debugging aid; its text is the DPI.
             if (Control* selector = d.mPage.find("dpi_select"))
                 d.mActions.ApplyDpi(QString::fromStdString(selector->text()).trimmed().toInt());
         }},
        {Match::Prefix, "ch_output_btn",
         [](D& d, const Notification& n) { d.mActions.ShowOutputMenu(n.index(), n.sender); }},
        {Match::Exact, "btnConnect", [](D& d, const Notification&) { d.m.connection().ConnectDevice(true); }},
        {Match::Exact, "enableAutoSave", [](D& d, const Notification&) { d.mActions.ToggleAutoSave(); }},
        {Match::Prefix, "autoSave",
         [](D& d, const Notification& n) {
             const QtControl* slot = d.mPage.control(n.name.toStdString());
             const QString text = slot ? QString::fromStdString(slot->text()) : QString();
             if (!text.isEmpty() && text != QLatin1String(kEmptyAutoSave))
                 d.mActions.LoadAutoSave(text);
         }},
        {Match::Exact, "btn_amp_onoff", [](D& d, const Notification&) { d.m.editing().SetAmpOnOff(); }},
        {Match::Exact, "btn_costom_eq",
         [](D& d, const Notification&) {
             if (features::customEq)
                 d.mActions.OpenWindow(QStringLiteral("custom_eq"));
         }},
        {Match::Exact, "btn_compressor",
         [](D& d, const Notification&) {
             if (features::compressor)
                 d.mActions.OpenWindow(QStringLiteral("compressor"));
         }},
        {Match::Exact, "btn_rem_out1_onoff", [](D& d, const Notification&) { d.m.editing().SetRemOut1OnOffButton(); }},
        {Match::Exact, "btn_rem_out2_onoff", [](D& d, const Notification&) { d.m.editing().SetRemOut2OnOffButton(); }},
        {Match::Exact, "btn_2ohm_spk", [](D& d, const Notification&) { d.m.editing().SetSpkOhmButton(); }},
        {Match::Exact, "btn_noise_gate", [](D& d, const Notification&) { d.m.editing().SetNoiseGateButton(); }},
        {Match::Exact, "btn_option", [](D& d, const Notification& n) { d.mActions.ShowOptionMenu(n.sender); }},
        {Match::Exact, "btn_scene", [](D& d, const Notification& n) { d.mActions.ShowSceneMenu(n.sender); }},
        {Match::Exact, "btn_reset_eq", [](D& d, const Notification&) { d.m.layout().SetOutputEqReset(); }},
        {Match::Exact, "btn_bypass", [](D& d, const Notification&) { d.m.layout().SetOutputBypass(); }},
        {Match::Exact, "btn_reset_output", [](D& d, const Notification&) { d.m.layout().SetOutputReset(); }},
        {Match::Prefix, "ch_enable_", [](D& d, const Notification& n) { d.m.layout().SetCurChannelChange(n.index()); }},
        {Match::Prefix, "ch_bridge_",
         [](D& d, const Notification& n) {
             const int p = n.index();
             if (p >= 0 && p < kBridgePairCount)
                 d.m.layout().SetBridge(p, d.m.live().bridgeOutputs[static_cast<std::size_t>(p)] == 0, true);
         }},
        {Match::Prefix, "bridge_checkbox_",
         [](D& d, const Notification& n) {
             const int p = n.index();
             const Control* box = d.mPage.find(n.name.toStdString());
             if (box && p >= 0 && p < kBridgePairCount)
                 d.m.layout().SetBridge(p, box->checked(), true);
         }},
        {Match::Prefix, "speaker_", [](D& d, const Notification& n) { d.m.layout().SetSpeakerFocus(n.index()); }},
        {Match::Exact, "btn_lock_output", [](D& d, const Notification&) { d.m.layout().SetOutpuLock(); }},
        {Match::Exact, "btn_link_output", [](D& d, const Notification&) { d.m.layout().SetOutputLink(); }},
        {Match::Exact, "btn_reset_link", [](D& d, const Notification&) { d.m.layout().ResetSyncGroups(); }},
        {Match::Exact, "btn_delay_down", [](D& d, const Notification&) { d.m.editing().SetDelayButton(false); }},
        {Match::Exact, "btn_delay_up", [](D& d, const Notification&) { d.m.editing().SetDelayButton(true); }},
        {Match::Prefix, "pt_enable_", [](D& d, const Notification& n) { d.m.editing().OnEqEnable(n.index()); }},
        // Beyond the tables: the rename button beside the device combo does
        // what a double click on the combo does, which a combo box's own
        // pop-up would swallow.
        {Match::Exact, "btn_device_rename", [](D& d, const Notification&) { d.m.connection().BeginEditDeviceName(); }},
    };
    return runFirst(*this, kRows, n);
}

bool MainPageDispatch::onClickFurther(const Notification& n)
{
    using D = MainPageDispatch;
    static constexpr Row kRows[] = {
        {Match::Exact, "advance_item_mixer",
         [](D& d, const Notification&) {
             if (features::mixerMenu)
                 d.mActions.OpenWindow(QStringLiteral("mixer"));
         }},
        {Match::Exact, "win_btn_noise_gate",
         [](D& d, const Notification&) { d.mActions.OpenWindow(QStringLiteral("noise_gate")); }},
        {Match::Exact, "advance_item_noise_threshold",
         [](D& d, const Notification&) { d.mActions.OpenWindow(QStringLiteral("noise_threshold")); }},
        {Match::Exact, "btn_debug", [](D& d, const Notification&) { d.mActions.OpenWindow(QStringLiteral("memory")); }},
        {Match::Exact, "btn_arg_eq", [](D& d, const Notification&) { d.m.layout().SetPeqMode(); }},
        {Match::Exact, "btn_advance", [](D& d, const Notification& n) { d.mActions.ShowAdvanceMenu(n.sender); }},
        {Match::Exact, "btn_irc",
         [](D& d, const Notification&) {
             // The calibration window reconnects by itself when it finishes.
             if (features::roomCalibration)
                 d.mActions.OpenWindow(QStringLiteral("calibration"));
         }},
    };
    return runFirst(*this, kRows, n);
}

// --- "dbclick" ---------------------------------------------------------------------

bool MainPageDispatch::onDoubleClick(const Notification& n)
{
    LogWrite("on %s DUI_MSGTYPE_DBCLICK\n", nameOf(n).constData());
    if (n.name != QLatin1String("btn_devices"))
        return false;
    m.connection().BeginEditDeviceName();
    return true;
}

// --- "selectchanged" ----------------------------------------------------------------

bool MainPageDispatch::onSelectChanged(const Notification& n)
{
    LogWrite("on option %s DUI_MSGTYPE_SELECTCHANGED index %d\n", nameOf(n).constData(), n.index());
    using D = MainPageDispatch;
    static constexpr Row kRows[] = {
        {Match::Prefix, "ch_show_",
         [](D& d, const Notification& n) { d.m.layout().SetCurveShown(n.index(), n.value != 0); }},
        {Match::Exact, "ch_mute",
         [](D& d, const Notification& n) {
             const int c = d.currentChannel();
             d.m.live().channels[static_cast<std::size_t>(c)].mute = n.value != 0 ? 1 : 0;
             d.m.editing().ApplyMute(c, n.value != 0 ? 1 : 0, true);
         }},
        {Match::Prefix, "ch_mute_", [](D& d, const Notification& n) { d.m.editing().SetChMute(n.index()); }},
        {Match::Exact, "ch_phase",
         [](D& d, const Notification& n) { d.m.editing().ApplyPhase(d.currentChannel(), n.value != 0 ? 1 : 0, true); }},
        {Match::Prefix, "ch_phase_", [](D& d, const Notification& n) { d.m.editing().SetChPhase(n.index()); }},
        {Match::Prefix, "ch_solo_",
         [](D& d, const Notification& n) {
             d.m.editing().SetChSolo(n.index());
             d.m.layout().SetCurChannelChange(n.index());
         }},
        {Match::Prefix, "ch_synchronize_",
         [](D& d, const Notification& n) { d.mActions.ShowLinkGroupMenu(n.index(), n.sender); }},
        {Match::Prefix, "delay_link_",
         [](D& d, const Notification& n) { d.mActions.ShowDelayLinkGroupMenu(n.index(), n.sender); }},
        {Match::Exact, "btn_auto_on",
         [](D&, const Notification&) {
             // The DSP power switch only acts in builds that have it.
             if (features::dspPower)
                 LogWrite("btn_auto_on has no operation in this build\n");
         }},
        {Match::Exact, "option_noise",
         [](D& d, const Notification&) {
             if (features::noiseOption)
                 d.m.editing().SetNoiseOption();
         }},
        {Match::Exact, "main_mute", [](D& d, const Notification&) { d.m.editing().SetMainMute(); }},
        {Match::Prefix, "option_ch_in",
         [](D& d, const Notification& n) {
             int input = 0;
             int output = 0;
             if (std::sscanf(nameOf(n).constData(), "option_ch_in%d_%d", &input, &output) == 2)
                 d.m.layout().SetInputIn(input, output);
         }},
    };
    return runFirst(*this, kRows, n);
}

// --- "valuechanged" / "movevaluechanged" -------------------------------------------

bool MainPageDispatch::onSliderValue(const Notification& n)
{
    using D = MainPageDispatch;
    static constexpr Row kRows[] = {
        {Match::Prefix, "eq_slider_",
         [](D& d, const Notification& n) {
             LogWrite("on eq silder %s valuechanged index %d value %d\n", nameOf(n).constData(), n.index(), n.value);
             d.m.editing().SetEqSlider(n.index());
         }},
        {Match::Exact, "slider_main_volume", [](D& d, const Notification&) { d.m.editing().SetMainVolumeSlider(); }},
        {Match::Exact, "slider_acc", [](D& d, const Notification&) { d.m.editing().SetAccSlider(); }},
        {Match::Exact, "slider_ch_volume",
         [](D& d, const Notification& n) {
             LogWrite("on volume silder %s valuechanged index %d\n", nameOf(n).constData(), n.index());
             d.m.editing().SetChVolumeSlider(d.currentChannel());
         }},
        {Match::Prefix, "slider_ch_volume_",
         [](D& d, const Notification& n) { d.m.editing().SetChVolumeSlider(n.index()); }},
        {Match::Prefix, "slider_ch_delay_",
         [](D& d, const Notification& n) {
             LogWrite("on delay silder %s valuechanged index %d\n", nameOf(n).constData(), n.index());
             d.m.editing().SetChDelaySlider(n.index());
         }},
    };
    return runFirst(*this, kRows, n);
}

// --- "valuechangedup" / "valuechangeddown" -------------------------------------------

bool MainPageDispatch::onStep(const Notification& n, bool up)
{
    mStepUp = up;
    using D = MainPageDispatch;
    static constexpr Row kRows[] = {
        {Match::Prefix, "eq_freq_", [](D& d, const Notification& n) { d.m.editing().SetEqFreqUp(n.index(), d.mStepUp); }},
        {Match::Prefix, "eq_q_", [](D& d, const Notification& n) { d.m.editing().SetEqQUp(n.index(), d.mStepUp); }},
        {Match::Prefix, "eq_gain_", [](D& d, const Notification& n) { d.m.editing().SetEqGainUp(n.index(), d.mStepUp); }},
        {Match::Prefix, "hp_freq", [](D& d, const Notification&) { d.m.editing().SetHpFreqUp(d.mStepUp); }},
        {Match::Prefix, "lp_freq", [](D& d, const Notification&) { d.m.editing().SetLpFreqUp(d.mStepUp); }},
        {Match::Prefix, "edit_main_volume", [](D& d, const Notification&) { d.m.editing().SetMainVolumeUp(d.mStepUp); }},
        {Match::Prefix, "edit_acc", [](D& d, const Notification&) { d.m.editing().SetAccUp(d.mStepUp); }},
        {Match::Exact, "edit_ch_volume",
         [](D& d, const Notification&) { d.m.editing().SetChVolumeUp(d.currentChannel(), d.mStepUp); }},
        {Match::Prefix, "edit_ch_volume_",
         [](D& d, const Notification& n) { d.m.editing().SetChVolumeUp(n.index(), d.mStepUp); }},
        {Match::Prefix, "edit_ch_delay_",
         [](D& d, const Notification& n) { d.m.editing().SetChDelayUp(n.index(), d.mStepUp); }},
        {Match::Prefix, "spk_delay_",
         [](D& d, const Notification& n) { d.m.editing().StepSpeakerDelay(n.index(), d.mStepUp); }},
    };
    return runFirst(*this, kRows, n);
}

// --- "valuechangedleft" / "valuechangedright": the keyboard walk -----------------------

bool MainPageDispatch::onWalk(const Notification& n, bool right)
{
    LogWrite(right ? "on edit %s DUI_MSGTYPE_VALUECHANGED_RIGHT\n" : "on edit %s DUI_MSGTYPE_VALUECHANGED_LEFT\n",
             nameOf(n).constData());
    const std::string next = NextInEditRing(n.name.toStdString(), right, bandCount(),
                                            [this](const std::string& name) { return reachable(name); });
    if (next.empty())
        return false;
    if (Control* target = mPage.find(next))
        target->setFocus();
    return true;
}

// --- "return" and "killfocus" ------------------------------------------------------------

bool MainPageDispatch::onReturn(const Notification& n)
{
    LogWrite("on edit %s DUI_MSGTYPE_RETURN\n", nameOf(n).constData());
    using D = MainPageDispatch;
    static constexpr Row kBandRows[] = {
        {Match::Prefix, "eq_freq_",
         [](D& d, const Notification& n) {
             LogWrite("on eq %s killfocus index %d\n", nameOf(n).constData(), n.index());
             d.focusBandEdit("eq_q_%d", n.index());
         }},
        {Match::Prefix, "eq_q_", [](D& d, const Notification& n) { d.focusBandEdit("eq_gain_%d", n.index()); }},
        {Match::Prefix, "eq_gain_",
         [](D& d, const Notification& n) {
             const int next = n.index() + 1 < d.bandCount() ? n.index() + 1 : 0;
             d.focusBandEdit("eq_freq_%d", next);
         }},
    };
    return applyTyped(n, kBandRows, std::size(kBandRows));
}

bool MainPageDispatch::onKillFocus(const Notification& n)
{
    LogWrite("on %s DUI_MSGTYPE_KILLFOCUS\n", nameOf(n).constData());
    // Leaving a box applies what the user typed; a box left as it was shown
    // changes nothing (a level shown rounded would otherwise be rounded in
    // the model and sent).
    const QtControl* box = mPage.control(n.name.toStdString());
    if (box && qobject_cast<QLineEdit*>(box->widget()) && !box->typedOver() &&
        !n.nameStartsWith("edit_device_name"))
        return false;
    using D = MainPageDispatch;
    static constexpr Row kBandRows[] = {
        {Match::Prefix, "eq_freq_", [](D& d, const Notification& n) { d.applyBandEdit(n); }},
        {Match::Prefix, "eq_q_", [](D& d, const Notification& n) { d.applyBandEdit(n); }},
        {Match::Prefix, "eq_gain_", [](D& d, const Notification& n) { d.applyBandEdit(n); }},
        {Match::Prefix, "spk_delay_", [](D&, const Notification&) {}},
    };
    return applyTyped(n, kBandRows, std::size(kBandRows));
}

bool MainPageDispatch::applyTyped(const Notification& n, const Row* bandRows, std::size_t bandRowCount)
{
    using D = MainPageDispatch;
    static constexpr Row kHead[] = {
        {Match::Exact, "edit_main_volume", [](D& d, const Notification&) { d.m.editing().SetMainVolumeEdit(); }},
        {Match::Exact, "edit_acc", [](D& d, const Notification&) { d.m.editing().SetAccEdit(); }},
    };
    static constexpr Row kTail[] = {
        {Match::Prefix, "hp_freq", [](D& d, const Notification&) { d.m.editing().SetFreqDivider(FilterSide::HighPass); }},
        {Match::Prefix, "lp_freq", [](D& d, const Notification&) { d.m.editing().SetFreqDivider(FilterSide::LowPass); }},
        {Match::Exact, "edit_ch_volume",
         [](D& d, const Notification&) { d.m.editing().SetChVolumeEdit(d.currentChannel()); }},
        {Match::Prefix, "edit_ch_volume_",
         [](D& d, const Notification& n) { d.m.editing().SetChVolumeEdit(n.index()); }},
        {Match::Prefix, "spk_delay_", [](D& d, const Notification& n) { d.m.editing().SetSpeakerDelayEdit(n.index()); }},
        {Match::Prefix, "edit_device_name", [](D& d, const Notification&) { d.m.connection().FinishEditDeviceName(); }},
        {Match::Prefix, "edit_ch_delay_", [](D& d, const Notification& n) { d.m.editing().SetChDelayEdit(n.index()); }},
    };
    return runFirst(*this, kHead, n) || runFirst(*this, bandRows, bandRowCount, n) || runFirst(*this, kTail, n);
}

void MainPageDispatch::applyBandEdit(const Notification& n)
{
    LogWrite("on eq %s killfocus index %d\n", nameOf(n).constData(), n.index());
    m.editing().SetChEqEdit(n.index());
}

void MainPageDispatch::focusBandEdit(const char* format, int band)
{
    char name[64];
    std::snprintf(name, sizeof name, format, band);
    // In the graphic view the frequency boxes take no focus; the walk then
    // goes on to the band's gain box.
    if (!reachable(name))
        std::snprintf(name, sizeof name, "eq_gain_%d", band);
    if (Control* target = mPage.find(name))
        target->setFocus();
}

// --- "setfocus" ------------------------------------------------------------------------

bool MainPageDispatch::onSetFocus(const Notification& n)
{
    LogWrite("on %s DUI_MSGTYPE_SETFOCUS\n", nameOf(n).constData());
    const int index = n.index();
    if (n.nameStartsWith("edit_ch_delay_") || n.nameStartsWith("slider_ch_delay_")) {
        showDelaySlider(index);
    } else {
        LogWrite("on mSliderChDelay SetVisible false\n");
        showDelaySlider(-1);
    }
    if (n.nameStartsWith("eq_freq_") || n.nameStartsWith("eq_q_") || n.nameStartsWith("eq_gain_")) {
        LogWrite("on eq %s setfocus index %d\n", nameOf(n).constData(), index);
        // The band-type combo acts on the band it shows.
        m.mEqIndex = index;
        m.intake().UpdateEqualizer(index);
        return true;
    }
    if (n.nameStartsWith("spk_delay_")) {
        m.layout().OnSpeakerClicked(index);
        return true;
    }
    if (n.nameStartsWith("edit_ch_volume_") || n.nameStartsWith("slider_ch_volume_") ||
        n.nameStartsWith("edit_ch_delay_") || n.nameStartsWith("slider_ch_delay_")) {
        if (index != currentChannel())
            m.layout().SetCurChannelChange(index);
        return true;
    }
    return true;
}

// --- "itemselect" -------------------------------------------------------------------------

bool MainPageDispatch::onItemSelect(const Notification& n)
{
    LogWrite("on %s DUI_MSGTYPE_ITEMSELECT\n", nameOf(n).constData());
    using D = MainPageDispatch;
    static constexpr Row kRows[] = {
        {Match::Prefix, "comb_ch_unit", [](D& d, const Notification&) { d.m.editing().SetChDelayUnit(); }},
        {Match::Prefix, "comb_eq_type", [](D& d, const Notification&) { d.m.editing().SetEqType(); }},
        {Match::Prefix, "hp_type",
         [](D& d, const Notification& n) {
             LogWrite("on eq hp_type %s valuechanged index %d\n", nameOf(n).constData(), n.value);
             d.m.editing().SetFilterType(FilterSide::HighPass);
         }},
        {Match::Prefix, "lp_type",
         [](D& d, const Notification& n) {
             LogWrite("on eq lp_type %s valuechanged index %d\n", nameOf(n).constData(), n.value);
             d.m.editing().SetFilterType(FilterSide::LowPass);
         }},
        {Match::Prefix, "hp_slop",
         [](D& d, const Notification& n) {
             LogWrite("on eq hp_slop %s valuechanged index %d\n", nameOf(n).constData(), n.value);
             d.m.editing().SetFilterSlope(FilterSide::HighPass);
         }},
        {Match::Prefix, "lp_slop",
         [](D& d, const Notification& n) {
             LogWrite("on eq lp_slop %s valuechanged index %d\n", nameOf(n).constData(), n.value);
             d.m.editing().SetFilterSlope(FilterSide::LowPass);
         }},
        {Match::Exact, "btn_input_source", [](D& d, const Notification& n) { d.m.layout().SetInputSource(n.value); }},
        {Match::Exact, "btn_devices", [](D& d, const Notification&) { d.m.connection().SetDevice(); }},
        {Match::Exact, "btn_channel_select", [](D&, const Notification&) {}},
    };
    return runFirst(*this, kRows, n);
}

// --- The curve ------------------------------------------------------------------------------

bool MainPageDispatch::onEqualizer(const Notification& n, int kind, bool released)
{
    bool ok = false;
    const int index = n.userData.trimmed().toInt(&ok);
    LogWrite("on DUI_MSGTYPE_EQUALIZERCHANGED index %d\n", ok ? index : 0);
    auto* curve = qobject_cast<UIEqualizer*>(n.sender.data());
    if (!curve || !ok || index < 0)
        return false;
    CurveDrag drag;
    drag.band = curve->band(index);
    drag.hpFreq = curve->hpFreq();
    drag.lpFreq = curve->lpFreq();
    m.editing().EqualizerCallback(index, kind, released, drag);
    return true;
}

bool MainPageDispatch::onWindowSize()
{
    m.mEqIndex = 0;
    m.intake().UpdateEqualizer(0);
    return true;
}

} // namespace dravo
