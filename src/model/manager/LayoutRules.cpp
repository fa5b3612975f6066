// Roles, the selected output, the speaker markers and the curve switches.
#include "LayoutRules.h"

#include "Crossover.h"
#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "LayoutLooks.h"
#include "Log.h"
#include "SpeakerRoles.h"
#include "ValueIntake.h"

#include <array>
#include <string>

namespace dravo {

namespace looks = layout_looks;

namespace {

constexpr const char* kChannelBorders[] = {"ch_border_top_%d", "ch_border_buttom_%d", "ch_border_left_%d",
                                           "ch_border_right_%d"};
constexpr const char* kMarkerParts[] = {"spk_con_%d", "speaker_%d", "spk_delay_%d"};

bool validOutput(int c) { return c >= 0 && c < kOutputCount; }
bool hasPosition(int role) { return role >= 1 && role <= kSpeakerPositionCount; }

} // namespace

int LayoutRules::scene() const
{
    return m.live().sceneId;
}

bool LayoutRules::OnTimer(int) { return false; }

// --- Roles ---------------------------------------------------------------

bool LayoutRules::RoleInUse(int role) const
{
    return m.live().roleInUse(role);
}

bool LayoutRules::CanAssignRole(int c, int role) const
{
    return m.live().canAssignRole(role, c);
}

void LayoutRules::SetOutputValue(int c, int role, bool fromMenu)
{
    if (fromMenu && validOutput(c) && !m.live().canAssignRole(role, c)) {
        // The menu greys such items out; a menu left open while the roles
        // changed underneath must not put two speakers on one band.
        LogWrite("SetOutputValue channel %d refused value %d\n", c, role);
        return;
    }
    assignRole(c, role, fromMenu ? RoleOrigin::Menu : RoleOrigin::Rule);
}

void LayoutRules::assignRole(int c, int role, RoleOrigin origin)
{
    const SpeakerRole* row = speakerRole(role);
    if (!validOutput(c) || row == nullptr)
        return;
    SenceConfig& s = m.live();
    LogWrite("SetOutputValue channel %d selected value %s\n", c, std::to_string(role).c_str());

    m.ctl("ch_output_btn_%d", c).setText(std::string(row->shortLabel));
    s.outputs[c] = role;
    if (origin != RoleOrigin::Bridge)
        s.outputs_bk[c] = role;

    s.channels[c].crossover = defaultCrossoverForRole(role);
    if (c == s.currOutChannel)
        m.editing().ShowCrossover();

    ShowRolesAndMarkers();
    m.UpdateChannelCurve(c);
    showCurves();

    const int roles[] = {role};
    m.link().CH_Type_Ctrl(scene(), 0, c, c, roles, false);
    sendFilters(c);
    m.editing().SendLevel(c);

    if (origin == RoleOrigin::Menu && s.bridgeOutputs[c / 2] == 1)
        assignRole(c ^ 1, role, RoleOrigin::Rule);
}

void LayoutRules::sendFilters(int c)
{
    const Crossover& x = m.live().channels[c].crossover;
    m.link().Filter_Ctrl(scene(), 0, c, CrossoverSection::LowPass, x.lp.type, x.lp.fs, x.lp.slope, false);
    m.link().Filter_Ctrl(scene(), 0, c, CrossoverSection::HighPass, x.hp.type, x.hp.fs, x.hp.slope, false);
}

// --- Markers ---------------------------------------------------------------

void LayoutRules::setMarkerVisible(int position, bool visible)
{
    for (const char* part : kMarkerParts)
        m.ctl(part, position).setVisible(visible);
}

void LayoutRules::ShowRolesAndMarkers()
{
    const SenceConfig& s = m.live();
    for (int r = 1; r <= kSpeakerPositionCount; ++r)
        setMarkerVisible(r, false);
    for (int j = 0; j < kOutputCount; ++j) {
        if (const SpeakerRole* row = speakerRole(s.outputs[j]))
            m.ctl("ch_output_btn_%d", j).setText(std::string(row->shortLabel));
        if (hasPosition(s.outputs[j]))
            setMarkerVisible(s.outputs[j], true);
    }
}

void LayoutRules::showMarkersOf(int c)
{
    const SenceConfig& s = m.live();
    for (int r = 1; r <= kSpeakerPositionCount; ++r)
        setMarkerVisible(r, false);
    for (int j : {c, m.partnerOf(c)})
        if (validOutput(j) && hasPosition(s.outputs[j]))
            setMarkerVisible(s.outputs[j], true);
}

void LayoutRules::SetSpeakerFocus(int r)
{
    LogWrite("on %s index %d\n", "EqualizerManager::SetSpeakerFocus", r);
    if (!hasPosition(r))
        return;
    // Highest first, so the lowest output carrying the role ends up selected
    // (with a bridged partner both show as selected).
    for (int j = kOutputCount - 1; j >= 0; --j)
        if (m.live().outputs[j] == r)
            SetCurChannelChange(j);
    for (int p = 1; p <= kSpeakerPositionCount; ++p)
        m.ctl("speaker_%d", p).setSelected(p == r);
}

void LayoutRules::OnSpeakerClicked(int r)
{
    if (!hasPosition(r))
        return;
    for (int j = 0; j < kOutputCount; ++j) {
        if (m.live().outputs[j] != r)
            continue;
        SetCurChannelChange(j);
        m.ctl("spk_delay_%d", r).setFocus();
        return;
    }
}

// --- The selected output ---------------------------------------------------

void LayoutRules::SetCurChannelChange(int c)
{
    LogWrite("on SetCurChannelChange channel index %d\n", c);
    if (!validOutput(c))
        return;
    SenceConfig& s = m.live();
    s.currOutChannel = c;
    const int partner = m.partnerOf(c);

    for (int i = 0; i < kOutputCount; ++i)
        m.ctl("ch_enable_%d", i).setSelected(i == c || i == partner);
    m.ctl("ch_title").setText("CH" + std::to_string(c + 1));

    // The single controls of a layout without per-output ones follow the
    // selected output; nothing is sent.
    m.editing().ShowLevel(c);
    const ChannelConfig& ch = s.channels[c];
    m.ctl("ch_mute").setChecked(ch.mute != 0);
    m.ctl("ch_phase").setChecked(ch.phase != 0);
    m.ctl("ch_phase").setText(ch.phase != 0 ? "${reverse phase}" : "${positive_phase}");

    for (int i = 0; i < kOutputCount; ++i) {
        for (const char* border : kChannelBorders)
            m.ctl(border, i).setVisible(i == c);
        m.ctl("ch_show_%d", i).setChecked(s.showOutChEqualizer[i] != 0);
    }
    showMarkersOf(c);

    m.editing().ShowCrossover();
    m.editing().ShowBands();
    showBypassButton(c);
    m.intake().UpdateEqualizer(m.mEqIndex);
}

void LayoutRules::showBypassButton(int c)
{
    // A band point is on screen when its gain counts: the output is not
    // bypassed and the band is enabled with a gain.
    const SenceConfig& s = m.live();
    bool anyShown = false;
    if (s.channels[c].bypass == 0)
        for (int b = 0; b < s.eqSizeOf(c); ++b) {
            const EqBand& band = s.bands[c][b];
            anyShown = anyShown || (band.enable != 0 && band.eqGain != 0.0f);
        }
    m.ctl("btn_bypass").setText(anyShown ? looks::kBypassEq : looks::kRestoreEq);
}

// --- Curves ----------------------------------------------------------------

void LayoutRules::SetCurveShown(int c, bool on)
{
    LogWrite("on %s index %d\n", "EqualizerManager::SetCurveShown", c);
    if (!validOutput(c))
        return;
    m.live().showOutChEqualizer[c] = on ? 1 : 0;
    m.UpdateChannelCurve(c);
    showCurves();
}

void LayoutRules::showCurves()
{
    Page* page = m.page();
    EqualizerView* view = page ? page->equalizer() : nullptr;
    if (view == nullptr)
        return;
    std::array<CurveView, kOutputCount> curves{};
    std::array<int, kOutputCount> shown{};
    for (int i = 0; i < kOutputCount; ++i) {
        const ChannelCurve& curve = m.curve(i);
        curves[i] = {curve.frequency.data(), curve.magnitude.data(), curve.phase.data(),
                     static_cast<int>(curve.frequency.size())};
        shown[i] = m.live().showOutChEqualizer[i];
    }
    view->setCurves(curves, shown, m.live().currOutChannel);
}

} // namespace dravo
