// Left/right link, lock, and the synchronise and delay-link groups.
#include "LayoutRules.h"

#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "LayoutLooks.h"
#include "Log.h"
#include "SpeakerRoles.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace dravo {

namespace looks = layout_looks;

namespace {

bool validOutput(int c) { return c >= 0 && c < kOutputCount; }

// The level a level box shows, in dB of the record: the box's number minus
// the 6 dB the display adds, "${off}" as the bottom. Nothing for a box that
// shows no number.
bool levelFromBox(const std::string& text, float& gain)
{
    if (text == "${off}") {
        gain = kMinOutputGainDb;
        return true;
    }
    const char* begin = text.c_str();
    char* end = nullptr;
    const double shown = std::strtod(begin, &end);
    if (end == begin)
        return false;
    gain = std::clamp(static_cast<float>(shown - 6.0), kMinOutputGainDb, kMaxOutputGainDb);
    return true;
}

} // namespace

// --- Link ------------------------------------------------------------------

void LayoutRules::ComputeLinkOutputs()
{
    SenceConfig& s = m.live();
    s.linkOutputs.fill(-1);
    if (s.linkMode != 1)
        return;
    for (int j = 0; j < kOutputCount; ++j) {
        if (s.outputs[j] == kNoRole)
            continue;
        const int mirror = mirrorRole(s.outputs[j]);
        if (mirror == kNoMirror)
            continue;
        // Unlike isLinkable, a mirror in the other half is passed over.
        for (int i = 0; i < kOutputCount; ++i) {
            if (i != j && s.outputs[i] == mirror && sameHalf(i, j)) {
                s.linkOutputs[j] = i;
                break;
            }
        }
    }
}

void LayoutRules::ApplyLinkState()
{
    SenceConfig& s = m.live();
    if (s.linkMode == 1)
        s.lockMode = 1;  // link on implies lock on
    ComputeLinkOutputs();
    const bool linked = s.linkMode == 1;
    const bool locked = s.lockMode == 1;
    m.ctl("btn_link_output").setChecked(linked);
    m.ctl("btn_lock_output").setChecked(locked);
    for (int c = 0; c < kOutputCount; ++c) {
        m.ctl("ch_output_btn_%d", c).setEnabled(!locked);
        // While linked, no group may be chosen: a group would disable the
        // link button and leave the link with no way off but the lock.
        m.ctl("delay_link_%d", c).setEnabled(!linked);
        m.ctl("ch_synchronize_%d", c).setEnabled(!linked);
    }
}

void LayoutRules::switchLinkOff()
{
    SenceConfig& s = m.live();
    s.linkMode = 0;
    ApplyLinkState();
    const std::vector<ChannelLinkPair> none;
    m.link().CH_Link_Ctrl(scene(), 0, none, false);
}

void LayoutRules::reapplySolo()
{
    const SenceConfig& s = m.live();
    if (validOutput(s.soloChannel))
        m.editing().ApplySolo(s.soloChannel, s.channels[s.soloChannel].solo, true);
}

void LayoutRules::SetOutputLink()
{
    LogWrite("on %s\n", "EqualizerManager::SetOutputLink");
    SenceConfig& s = m.live();

    if (!s.isLinkable()) {
        switchLinkOff();
        m.host().showMessage(looks::kTips, "${not_linkable_tips}", {looks::kConfirm});
        return;
    }

    std::vector<ChannelLinkPair> pairs;
    if (s.linkMode == 1) {
        s.linkMode = 0;
        s.lockMode = 0;
        ApplyLinkState();
        m.link().CH_Lock_Ctrl(scene(), 0, false);
    } else {
        const int answer = m.host().askChoice(looks::kTips, "${link_tips}", "${copy_left_to_right}",
                                              "${copy_right_to_left}");
        if (answer != 1 && answer != 2) {
            m.ctl("btn_link_output").setChecked(false);
            return;
        }
        s.linkMode = 1;
        s.lockMode = 1;
        ApplyLinkState();
        m.link().CH_Lock_Ctrl(scene(), 1, false);

        for (int j = 0; j < kOutputCount; ++j) {
            const int k = s.linkOutputs[j];
            if (k < 0)
                continue;
            // Answer 1 copies from the side with the lower role number (left),
            // answer 2 from the side with the higher one (right).
            const bool fromJ = answer == 1 ? s.outputs[j] < s.outputs[k] : s.outputs[k] < s.outputs[j];
            if (!fromJ)
                continue;
            s.copyOutputConfig(j, k);
            m.UpdateChannelCurve(k);
            pairs.push_back({j, k});
            m.editing().SendLevel(j);
        }
        m.editing().ShowLevel(s.currOutChannel);
        m.editing().ShowDelay(s.currOutChannel);
    }

    SetCurChannelChange(s.currOutChannel);
    reapplySolo();
    m.link().CH_Link_Ctrl(scene(), s.linkMode, pairs, false);
}

// --- Lock ------------------------------------------------------------------

void LayoutRules::SetOutpuLock()
{
    LogWrite("on %s\n", "EqualizerManager::SetOutpuLock");
    SenceConfig& s = m.live();
    const bool locked = s.lockMode == 1;
    const int answer = m.host().showMessage(looks::kTips, locked ? "${unlock_output_tips}" : "${lock_output_tips}",
                                            {looks::kConfirm, looks::kCancel});
    if (answer != 1) {
        // The button may have toggled itself on the click.
        m.ctl("btn_lock_output").setChecked(locked);
        return;
    }
    s.lockMode = locked ? 0 : 1;
    if (s.lockMode == 0 && s.linkMode == 1) {
        switchLinkOff();
        SetCurChannelChange(s.currOutChannel);
    } else {
        ApplyLinkState();
    }
    m.link().CH_Lock_Ctrl(scene(), s.lockMode, false);
}

// --- Groups ----------------------------------------------------------------

void LayoutRules::updateLinkButtonEnabling()
{
    const SenceConfig& s = m.live();
    bool grouped = false;
    for (int c = 0; c < kOutputCount; ++c)
        grouped = grouped || s.syncGroup[c] > 0 || s.delayLinkGroup[c] > 0;
    m.ctl("btn_link_output").setEnabled(!grouped);
}

void LayoutRules::ApplySyncGroup(int c)
{
    if (!validOutput(c))
        return;
    m.ctl("ch_synchronize_%d", c).setImage(looks::groupPicture(looks::kSyncGroupPicture, m.live().syncGroup[c]));
    updateLinkButtonEnabling();
}

void LayoutRules::applyDelayLinkGroup(int c)
{
    m.ctl("delay_link_%d", c).setImage(looks::groupPicture(looks::kDelayLinkGroupPicture, m.live().delayLinkGroup[c]));
    updateLinkButtonEnabling();
}

void LayoutRules::SetSyncGroup(int c, int n)
{
    LogWrite("channel %d synchronize seleted %d\n", c, n);
    if (!validOutput(c) || n < 0)
        return;
    SenceConfig& s = m.live();
    s.syncGroup[c] = n;
    ApplySyncGroup(c);
    if (s.bridgeOutputs[c / 2] == 1) {
        s.syncGroup[c ^ 1] = n;
        ApplySyncGroup(c ^ 1);
    }
    if (n < 1)
        return;

    sendFilters(c);
    // Members follow each other's level changes by the difference, so every
    // level starts from the step its box shows.
    for (int i = 0; i < kOutputCount; ++i) {
        float gain = 0.0f;
        if (!levelFromBox(m.ctl("edit_ch_volume_%d", i).text(), gain))
            continue;
        s.channels[i].gain = gain;
        m.editing().ShowLevel(i);
        m.editing().SendLevel(i);
    }
}

void LayoutRules::SetDelayLinkGroup(int c, int n)
{
    LogWrite("channel %d dealy link seleted %d\n", c, n);
    if (!validOutput(c) || n < 0)
        return;
    SenceConfig& s = m.live();
    s.delayLinkGroup[c] = n;
    applyDelayLinkGroup(c);
    if (s.bridgeOutputs[c / 2] == 1) {
        s.delayLinkGroup[c ^ 1] = n;
        applyDelayLinkGroup(c ^ 1);
    }
    SetCurChannelChange(c);
}

void LayoutRules::ResetSyncGroups()
{
    LogWrite("on %s\n", "EqualizerManager::ResetSyncGroups");
    for (int c = 0; c < kOutputCount; ++c)
        SetSyncGroup(c, 0);
}

} // namespace dravo
