// Bridged output pairs and the output reset: the two layout changes that
// rewrite many outputs at once, run behind the loading box.
#include "LayoutRules.h"

#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "InputSources.h"
#include "LayoutLooks.h"
#include "Log.h"
#include "MessageIds.h"
#include "SpeakerRoles.h"

#include <vector>

namespace dravo {

namespace looks = layout_looks;

namespace {

constexpr int kQueuePollMs = 100;
constexpr int kBridgeQueuePolls = 100;
constexpr int kResetQueuePolls = 600;

// Answers of the output-reset question.
constexpr int kResetToDefaultRoles = 1;
constexpr int kResetToEmpty = 2;

void postPlain(ManagerHost& host, std::uint32_t id)
{
    Message message;
    message.id = id;
    host.post(std::move(message));
}

} // namespace

void LayoutRules::runBehindLoading(const char* name, const char* startLine, int polls, std::function<void()> work)
{
    postPlain(m.host(), WM_SHOW_LOADING);
    m.host().startWorker(name, [this, startLine, polls, work = std::move(work)] {
        LogWrite("%s", startLine);
        // The record has no lock: it is written where the page is, while
        // the loading box keeps the user off it.
        m.host().runOnUiThread(work);
        for (int i = 0; i < polls && !m.link().QueueIdle(); ++i)
            m.host().sleepMs(kQueuePollMs);
        postPlain(m.host(), WM_HIDE_LOADING);
    });
}

void LayoutRules::sendBypass(int c)
{
    const int flag[] = {m.live().channels[c].bypass};
    m.link().PEQ_Bypass_Ctrl(scene(), 0, c, c, flag, false);
}

// --- Bridge ----------------------------------------------------------------

void LayoutRules::ApplyBridgeFlag(int p, bool sendRequest)
{
    if (p < 0 || p >= kBridgePairCount)
        return;
    const SenceConfig& s = m.live();
    const bool on = s.bridgeOutputs[p] == 1;
    m.ctl("ch_bridge_%d", p).setChecked(on);
    m.ctl("bridge_checkbox_%d", p).setChecked(on);
    m.ctl("bridge_hl_%d", p).setImage(on ? looks::kBridgedPair : looks::kPlainPair);
    if (sendRequest)
        m.link().Output_Bridge_Ctrl(scene(), 0, s.bridgeOutputs, false);
}

void LayoutRules::SetBridge(int p, bool on, bool fromUser)
{
    LogWrite("on %s index %d\n", "EqualizerManager::SetBridge", p);
    if (p < 0 || p >= kBridgePairCount)
        return;
    m.live().bridgeOutputs[p] = on ? 1 : 0;
    ApplyBridgeFlag(p, true);
    if (!fromUser)
        return;
    runBehindLoading("set bridge thread", "set bridge thread start!\n", kBridgeQueuePolls, [this, p, on] {
        if (on)
            copyBridgedPair(p);
        else
            unbridgePair(p);
    });
}

void LayoutRules::copyBridgedPair(int p)
{
    SenceConfig& s = m.live();
    const int a = 2 * p;
    const int b = a + 1;

    // The role first: taking a role resets the crossover to the role's
    // default, which would undo the crossover copied from a.
    assignRole(b, s.outputs[a], RoleOrigin::Bridge);

    s.copyOutputConfig(a, b);
    // Both halves of a bridge drive one speaker, so the band types must
    // match too; the plain copy leaves them.
    for (int band = 0; band < s.eqSizeOf(b); ++band)
        s.bands[b][band].type = s.bands[a][band].type;
    s.channels[b].delay = s.channels[a].delay;
    s.channels[b].gain = s.channels[a].gain;
    for (int band = 0; band < s.eqSizeOf(b); ++band)
        m.editing().SendBand(b, band);
    sendFilters(b);
    sendBypass(b);
    m.editing().ShowLevel(b);
    m.editing().SendLevel(b);
    m.editing().ShowDelay(b);
    m.editing().SendDelay(b);

    s.copyMixConfig(a, b);
    for (int source = 0; source < kSourceCount; ++source) {
        // The device must route the same inputs as the record says, not
        // only mix them at the copied levels.
        const int mask[] = {s.inputs[source][b]};
        m.link().Mix_Ch_Ctrl(scene(), source, b, b, mask, false);
        for (int input = 0; input < inputCountOf(source); ++input) {
            const int level[] = {s.inputMixVolume[source][input][b]};
            m.link().Input_Mix_Trim_Ctrl(scene(), source, input, b, b, level, false);
        }
    }
    ShowInputSelectors();

    m.editing().ApplyPhase(b, s.channels[a].phase, true);
    m.editing().ApplySolo(b, s.channels[a].solo, true);
    m.editing().ApplyMute(b, s.channels[a].mute, true);
    s.syncGroup[b] = s.syncGroup[a];
    ApplySyncGroup(b);

    m.UpdateChannelCurve(b);
    if (s.currOutChannel == a || s.currOutChannel == b)
        SetCurChannelChange(s.currOutChannel);
    else
        showCurves();
}

void LayoutRules::unbridgePair(int p)
{
    const int b = 2 * p + 1;
    assignRole(b, m.live().outputs_bk[b], RoleOrigin::Rule);
    reapplySolo();
}

// --- Output reset ------------------------------------------------------------

void LayoutRules::SetOutputReset()
{
    LogWrite("EqualizerManager::SetOutputReset\n");
    const int answer =
        m.host().showMessage(looks::kTips, "${empty_output_tips}", {"${default}", looks::kCancel, "${emptied}"});
    if (answer != kResetToDefaultRoles && answer != kResetToEmpty)
        return;
    runBehindLoading("reset output thread", "reset output thread start!\n", kResetQueuePolls,
                     [this, answer] { resetOutputs(answer); });
}

void LayoutRules::resetOutputs(int answer)
{
    SenceConfig& s = m.live();
    const auto defaults = defaultRolesFor(s.channelCount);
    for (int i = 0; i < kOutputCount; ++i) {
        int role = kNoRole;
        if (answer == kResetToDefaultRoles)
            role = static_cast<std::size_t>(i) < defaults.size() ? defaults[i] : s.outputs[i];
        assignRole(i, role, RoleOrigin::Rule);
    }

    s.lockMode = 0;
    s.linkMode = 0;
    ApplyLinkState();
    m.link().CH_Lock_Ctrl(scene(), 0, false);
    const std::vector<ChannelLinkPair> none;
    m.link().CH_Link_Ctrl(scene(), 0, none, false);

    if (s.soloChannel >= 0 && s.soloChannel < kOutputCount)
        m.editing().ApplySolo(s.soloChannel, 0, true);
    for (int i = 0; i < kOutputCount; ++i) {
        s.syncGroup[i] = 0;
        ApplySyncGroup(i);
    }
    for (int i = 0; i < kOutputCount; ++i)
        m.editing().SendLevel(i);
    SetCurChannelChange(0);

    for (int p = 0; p < kBridgePairCount; ++p)
        ApplyBridgeFlag(p, p == kBridgePairCount - 1);
    for (int p = 0; p < kBridgePairCount; ++p)
        if (s.bridgeOutputs[p] == 1)
            copyBridgedPair(p);
    s.mix2monitorChIdxs();
}

} // namespace dravo
