// Output level, mute, phase, solo and the compressor switch.
#include "EditingRules.h"

#include "DeviceLink.h"
#include "EditingRulesValues.h"
#include "EqualizerManager.h"
#include "Log.h"
#include "MainVolumeScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dravo {

using namespace editing;

namespace {

bool validOutput(int c) { return c >= 0 && c < kOutputCount; }

ChannelConfig& channel(EqualizerManager& m, int c) { return m.live().channels[static_cast<std::size_t>(c)]; }

int levelTenths(const ChannelConfig& ch)
{
    return std::clamp(static_cast<int>(std::lround(ch.gain * 10.0f)), kLevelSliderMin, kLevelSliderMax);
}

// The other output of c's pair while the pair is bridged, else -1.
int bridgedOther(const SenceConfig& s, int c)
{
    return s.bridgeOutputs[static_cast<std::size_t>(c / 2)] == 1 ? (c ^ 1) : -1;
}

void addUnique(std::vector<int>& list, int c)
{
    if (c >= 0 && std::find(list.begin(), list.end(), c) == list.end())
        list.push_back(c);
}

} // namespace

// --- Level ------------------------------------------------------------------

void EditingRules::ShowLevel(int c)
{
    if (!validOutput(c))
        return;
    const int tenths = levelTenths(channel(m, c));
    m.ctl("slider_ch_volume_%d", c).setValue(tenths);
    m.ctl("edit_ch_volume_%d", c).setText(LevelText(tenths));
    if (c == m.live().currOutChannel) {
        m.ctl("slider_ch_volume").setValue(tenths);
        m.ctl("edit_ch_volume").setText(LevelText(tenths));
    }
}

void EditingRules::SendLevel(int c)
{
    if (!validOutput(c))
        return;
    const float attenuation[] = {0.0f - channel(m, c).gain};
    m.link().Trim_Ctrl(m.live().sceneId, 0, c, c, attenuation, false);
}

// The level control of output c: its own, or the one control a layout has
// for the selected output.
Control& EditingRules::levelControl(const char* own, const char* selected, int c)
{
    char name[48];
    std::snprintf(name, sizeof name, own, c);
    if (!m.has(name) && c == m.live().currOutChannel && m.has(selected))
        return m.ctl(selected);
    return m.ctl(std::string(name));
}

void EditingRules::SetChVolumeSlider(int c)
{
    if (!validOutput(c))
        return;
    SetChVolume(c, levelControl("slider_ch_volume_%d", "slider_ch_volume", c).value(), false);
}

void EditingRules::SetChVolumeEdit(int c)
{
    if (!validOutput(c))
        return;
    const auto tenths =
        LevelTenthsFromText(levelControl("edit_ch_volume_%d", "edit_ch_volume", c).text(), m.tr(kOffText));
    if (!tenths) {
        // Not a number: the box goes back to the level it had.
        ShowLevel(c);
        return;
    }
    SetChVolume(c, *tenths, true);
}

void EditingRules::SetChVolumeUp(int c, bool up)
{
    if (!validOutput(c))
        return;
    LogWrite("EqualizerManager::SetChVolumeUp channel %d up %d\n", c, up ? 1 : 0);
    const int tenths = levelTenths(channel(m, c)) + (up ? kLevelSliderStep : -kLevelSliderStep);
    SetChVolume(c, tenths, false);
}

std::vector<int> EditingRules::levelFollowers(int c) const
{
    const SenceConfig& s = m.live();
    std::vector<int> followers;
    const int partner = m.partnerOf(c);
    const std::vector<int> members = m.syncMembers(c, false, true);
    for (int member : members) {
        addUnique(followers, member);
        const int other = bridgedOther(s, member);
        if (other != c && other != partner)
            addUnique(followers, other);
    }
    if (partner != c)
        addUnique(followers, partner);
    return followers;
}

void EditingRules::SetChVolume(int c, int tenths, bool final)
{
    if (!validOutput(c))
        return;
    SenceConfig& s = m.live();
    tenths = std::clamp(tenths, kLevelSliderMin, kLevelSliderMax);
    const int delta = tenths - levelTenths(channel(m, c));
    channel(m, c).gain = static_cast<float>(tenths) / 10.0f;
    ShowLevel(c);

    // Group members and the partner move by the same amount from their own
    // level; a bridged member takes its pair along with the member's value.
    const int partner = m.partnerOf(c);
    const std::vector<int> members = m.syncMembers(c, false, true);
    auto moveBy = [&](int o) {
        channel(m, o).gain = static_cast<float>(std::clamp(levelTenths(channel(m, o)) + delta, kLevelSliderMin,
                                                           kLevelSliderMax)) / 10.0f;
        ShowLevel(o);
    };
    for (int member : members) {
        moveBy(member);
        const int other = bridgedOther(s, member);
        if (other >= 0 && other != c && other != partner &&
            std::find(members.begin(), members.end(), other) == members.end()) {
            channel(m, other).gain = channel(m, member).gain;
            ShowLevel(other);
        }
    }
    if (partner >= 0 && partner != c)
        moveBy(partner);

    // Another output still waiting for its trailing send goes out now: the
    // trailing send keeps one output, and its last value must not be lost.
    if (mPendingLevel >= 0 && mPendingLevel != c)
        flushPendingLevel();
    const std::int64_t now = m.host().nowMs();
    if (final || now - mLastLevelSendMs > kLevelThrottleMs) {
        mLastLevelSendMs = now;
        mPendingLevel = -1;
        sendLevelNow(c);
    } else {
        // Within the throttle window: the latest value goes out when the
        // drag has been still for a moment.
        mPendingLevel = c;
        m.host().startTimer(CACHE_CH_VOLUME_TIMER, kTrailingSendMs);
    }
}

void EditingRules::sendLevelNow(int c)
{
    SendLevel(c);
    for (int o : levelFollowers(c))
        SendLevel(o);
    if (channel(m, c).mute == 1)
        ApplyMute(c, 0, true);
}

void EditingRules::flushPendingLevel()
{
    if (mPendingLevel < 0)
        return;
    const int c = mPendingLevel;
    mPendingLevel = -1;
    LogWrite("on volume silder CACHE_CH_VOLUME_TIMER index %d\n", c);
    sendLevelNow(c);
}

void EditingRules::UpdateAllVolumeEdit()
{
    LogWrite("EqualizerManager::UpdateAllVolumeEdit\n");
    ShowMainVolume();
    LogWrite("on main volume edit change to %d dB\n",
             static_cast<int>(mainVolumeStepToDb(m.live().mainVolume)));
    for (int c = 0; c < kOutputCount; ++c) {
        ShowLevel(c);
        LogWrite("on ch volume edit change to %d dB\n",
                 static_cast<int>(channel(m, c).gain) + kLevelShownOffsetDb);
    }
}

// --- Mute, phase, solo, compressor -----------------------------------------------

void EditingRules::SetChMute(int c)
{
    if (validOutput(c))
        ApplyMute(c, m.ctl("ch_mute_%d", c).checked() ? 1 : 0, true);
}

void EditingRules::SetChPhase(int c)
{
    if (validOutput(c))
        ApplyPhase(c, m.ctl("ch_phase_%d", c).checked() ? 1 : 0, true);
}

void EditingRules::SetChSolo(int c)
{
    if (validOutput(c))
        ApplySolo(c, m.ctl("ch_solo_%d", c).checked() ? 1 : 0, true);
}

void EditingRules::ApplyMute(int c, int value, bool send)
{
    if (!validOutput(c))
        return;
    value = value != 0 ? 1 : 0;
    LogWrite("channel %d mute seleted %d\n", c, value);
    // The bridged pair always follows; the group only when the preference
    // says so, and never the link partner.
    std::vector<int> outputs{c};
    addUnique(outputs, bridgedOther(m.live(), c));
    if (m.mLinkMute)
        for (int member : m.syncMembers(c, false, true))
            addUnique(outputs, member);
    for (int o : outputs) {
        channel(m, o).mute = value;
        m.ctl("ch_mute_%d", o).setChecked(value == 1);
        if (o == m.live().currOutChannel)
            m.ctl("ch_mute").setChecked(value == 1);
        if (send) {
            const int flags[] = {value};
            m.link().Mute_Ch_Ctrl(m.live().sceneId, 0, o, o, flags, false);
        }
    }
}

void EditingRules::ApplyPhase(int c, int value, bool send)
{
    if (!validOutput(c))
        return;
    value = value != 0 ? 1 : 0;
    LogWrite("channel %d phase seleted %d\n", c, value);
    std::vector<int> outputs{c};
    addUnique(outputs, bridgedOther(m.live(), c));
    if (m.mLinkPhase)
        for (int member : m.syncMembers(c, false, true))
            addUnique(outputs, member);
    const char* text = value == 1 ? "${reverse phase}" : "${positive_phase}";
    for (int o : outputs) {
        channel(m, o).phase = value;
        Control& button = m.ctl("ch_phase_%d", o);
        button.setChecked(value == 1);
        button.setText(text);
        if (o == m.live().currOutChannel) {
            m.ctl("ch_phase").setChecked(value == 1);
            m.ctl("ch_phase").setText(text);
        }
        if (send) {
            const int flags[] = {value};
            m.link().Phase_Ctrl(m.live().sceneId, 0, o, o, flags, false);
        }
    }
}

void EditingRules::ApplySolo(int c, int value, bool send)
{
    if (!validOutput(c))
        return;
    value = value != 0 ? 1 : 0;
    SenceConfig& s = m.live();
    s.soloChannel = c;
    const int partner = m.partnerOf(c);
    int flags[kOutputCount];
    for (int i = 0; i < kOutputCount; ++i) {
        ChannelConfig& ch = channel(m, i);
        if (i == c || i == partner)
            ch.solo = value;
        else if (value == 1)
            ch.solo = 0;  // one output (with its partner) solos at a time
        flags[i] = ch.solo;
        m.ctl("ch_solo_%d", i).setChecked(ch.solo == 1);
    }
    if (send)
        m.link().Solo_Ctrl(s.sceneId, 0, 0, kOutputCount - 1, flags, false);
    LogWrite("channel %d solo seleted %d\n", c, value);
}

void EditingRules::SetCompressorOn(int c, bool on)
{
    if (!validOutput(c))
        return;
    channel(m, c).compressorOn = on ? 1 : 0;
    const int flags[] = {on ? 1 : 0};
    m.link().Compressor_Ch_Ctrl(m.live().sceneId, 0, c, c, flags, false);
    LogWrite("channel %d compressor seleted %d\n", c, on ? 1 : 0);
}

} // namespace dravo
