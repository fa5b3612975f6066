// Whole-equaliser operations on the selected output: bypass, reset, and the
// parametric/graphic view switch.
#include "LayoutRules.h"

#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "LayoutLooks.h"
#include "Log.h"
#include "ValueIntake.h"

#include <vector>

namespace dravo {

namespace looks = layout_looks;

namespace {

bool confirmed(ManagerHost& host, const char* text)
{
    return host.showMessage(looks::kTips, text, {looks::kConfirm, looks::kCancel}) == 1;
}

} // namespace

void LayoutRules::SetOutputBypass()
{
    LogWrite("on %s\n", "EqualizerManager::SetOutputBypass");
    SenceConfig& s = m.live();
    const int c = s.currOutChannel;
    const int bands = s.eqSizeOf(c);

    bool slidersMoved = false;
    bool gainsStored = false;
    for (int b = 0; b < bands; ++b) {
        slidersMoved = slidersMoved || m.ctl("eq_slider_%d", b).value() != 0;
        gainsStored = gainsStored || s.bands[c][b].eqGain != 0.0f;
    }

    std::uint8_t bypass = 0;
    if (slidersMoved) {
        if (!confirmed(m.host(), "${bypass_all_eq_tips}"))
            return;
        bypass = 1;
    } else if (gainsStored && !confirmed(m.host(), "${restore_all_eq_tips}")) {
        return;
    }
    m.ctl("btn_bypass").setText(bypass ? looks::kRestoreEq : looks::kBypassEq);

    std::vector<int> outputs{c};
    for (int member : m.syncMembers(c, false, true))
        outputs.push_back(member);
    if (const int partner = m.partnerOf(c); partner >= 0)
        outputs.push_back(partner);
    for (int i : outputs) {
        s.channels[i].bypass = bypass;
        sendBypass(i);
        m.UpdateChannelCurve(i);
    }
    m.editing().ShowBands();
    m.intake().UpdateEqualizer(m.mEqIndex);
}

void LayoutRules::SetOutputEqReset()
{
    LogWrite("on %s\n", "EqualizerManager::SetOutputEqReset");
    if (!confirmed(m.host(), "${reset_all_eq_tips}"))
        return;
    SenceConfig& s = m.live();
    const int c = s.currOutChannel;
    const int partner = m.partnerOf(c);

    resetBands(s.bands[c], s.eqSizeOf(c));
    for (int member : m.syncMembers(c, true, true)) {
        resetBands(s.bands[member], s.eqSizeOf(member));
        for (int b = 0; b < s.eqSizeOf(member); ++b)
            m.editing().SendBand(member, b);
        m.UpdateChannelCurve(member);
    }
    // The device resets the partner itself on the request below.
    if (partner >= 0) {
        resetBands(s.bands[partner], s.eqSizeOf(partner));
        m.UpdateChannelCurve(partner);
    }

    m.editing().ShowBands();
    m.ctl("btn_bypass").setText(looks::kBypassEq);
    m.UpdateChannelCurve(c);
    m.intake().UpdateEqualizer(m.mEqIndex);

    std::vector<int> reset{c};
    if (partner >= 0)
        reset.push_back(partner);
    m.link().PEQ_Reset_Ctrl(scene(), 0, reset, false);
}

void LayoutRules::SetPeqMode()
{
    LogWrite("on %s\n", "EqualizerManager::SetPeqMode");
    const bool parametric = m.ctl("btn_arg_eq").checked();
    if (!confirmed(m.host(), parametric ? "${geq_mode_tips}" : "${peq_mode_tips}")) {
        ShowPeqMode(parametric);
        return;
    }
    ShowPeqMode(!parametric);
}

void LayoutRules::ShowPeqMode(bool parametric)
{
    Control& button = m.ctl("btn_arg_eq");
    button.setChecked(parametric);
    button.setText(parametric ? looks::kPeqMode : looks::kGeqMode);
    if (Page* page = m.page(); page != nullptr && page->equalizer() != nullptr)
        page->equalizer()->setParametric(parametric);
    for (int b = 0; b < kBandsPerOutput; ++b)
        m.ctl("eq_freq_%d", b).setEnabled(parametric);
}

} // namespace dravo
