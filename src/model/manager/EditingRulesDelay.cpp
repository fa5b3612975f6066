// Output delay in ms, cm or inches, from the boxes, sliders and the speaker
// markers on the car picture.
#include "EditingRules.h"

#include "DeviceLink.h"
#include "EditingRulesValues.h"
#include "EqualizerManager.h"
#include "Log.h"
#include "SpeakerRoles.h"

#include <algorithm>
#include <cmath>

namespace dravo {

using namespace editing;

namespace {

bool validOutput(int c) { return c >= 0 && c < kOutputCount; }

ChannelConfig& channel(EqualizerManager& m, int c) { return m.live().channels[static_cast<std::size_t>(c)]; }

constexpr int kMaxDelayUs = static_cast<int>(kMaxDelayMs * 1000);

} // namespace

int EditingRules::outputOfRole(int r) const
{
    if (r <= 0)
        return -1;
    const auto& roles = m.live().outputs;
    const auto it = std::find(roles.begin(), roles.end(), r);
    return it == roles.end() ? -1 : static_cast<int>(it - roles.begin());
}

void EditingRules::showDelayMarker(int c)
{
    const int role = m.live().outputs[static_cast<std::size_t>(c)];
    // A marker stands for the first output playing its role.
    if (role <= 0 || outputOfRole(role) != c)
        return;
    m.ctl("spk_delay_%d", role).setText(DelayMarkerText(channel(m, c).delay, m.mDelayUnit));
}

void EditingRules::ShowDelay(int c)
{
    if (!validOutput(c))
        return;
    const float ms = channel(m, c).delay;
    m.ctl("edit_ch_delay_%d", c).setText(DelayText(ms, m.mDelayUnit));
    m.ctl("slider_ch_delay_%d", c).setValue(static_cast<int>(std::lround(ms * 1000.0f)));
    showDelayMarker(c);
}

void EditingRules::SendDelay(int c)
{
    if (!validOutput(c))
        return;
    const float delay[] = {channel(m, c).delay};
    m.link().Delay_Ctrl(m.live().sceneId, 0, c, c, delay, false);
}

void EditingRules::storeDelay(int c, float ms)
{
    channel(m, c).delay = std::clamp(ms, 0.0f, kMaxDelayMs);
    ShowDelay(c);
    SendDelay(c);
}

void EditingRules::moveDelayFollowers(int c, float deltaMs, bool quantise)
{
    const int partner = m.partnerOf(c);
    std::vector<int> followers;
    for (int member : m.delayLinkMembers(c))
        if (member != partner)
            followers.push_back(member);
    if (partner >= 0 && partner != c)
        followers.push_back(partner);
    for (int o : followers) {
        float ms = std::clamp(channel(m, o).delay + deltaMs, 0.0f, kMaxDelayMs);
        if (quantise)
            ms = QuantiseDelay(ms, m.mDelayUnit);
        storeDelay(o, ms);
    }
}

void EditingRules::SetChDelay(int c, float ms)
{
    if (!validOutput(c))
        return;
    const float old = channel(m, c).delay;
    storeDelay(c, ms);
    moveDelayFollowers(c, channel(m, c).delay - old, true);
}

void EditingRules::SetChDelayEdit(int c)
{
    if (!validOutput(c))
        return;
    const auto typed = ParseNumber(m.ctl("edit_ch_delay_%d", c).text());
    if (!typed) {
        ShowDelay(c);
        return;
    }
    const float ms = QuantiseDelay(DelayFromUnit(*typed, m.mDelayUnit), m.mDelayUnit);
    LogWrite("EqualizerManager::SetChDelayEdit %.3f\n", ms);
    SetChDelay(c, ms);
}

void EditingRules::SetChDelaySlider(int c)
{
    if (!validOutput(c))
        return;
    const int us = std::clamp(m.ctl("slider_ch_delay_%d", c).value(), 0, kMaxDelayUs);
    SetChDelay(c, QuantiseDelay(static_cast<float>(us) / 1000.0f, m.mDelayUnit));
}

void EditingRules::SetChDelayUp(int c, bool up)
{
    if (!validOutput(c))
        return;
    LogWrite("EqualizerManager::SetChDelayUp channel %d up %d\n", c, up ? 1 : 0);
    const float old = channel(m, c).delay;
    const int us = std::clamp(static_cast<int>(std::lround(old * 1000.0f)) + (up ? kDelayStepUs : -kDelayStepUs), 0,
                              kMaxDelayUs);
    float ms = QuantiseDelay(static_cast<float>(us) / 1000.0f, m.mDelayUnit);
    // An inch is longer than two steps: rounding back to the same inch would
    // leave the arrows dead, so they move by one whole unit instead.
    const int units = delayUnitsPerFullRange(m.mDelayUnit);
    if (units > 0 && std::fabs(ms - QuantiseDelay(old, m.mDelayUnit)) < 1e-6f)
        ms = QuantiseDelay(QuantiseDelay(old, m.mDelayUnit) + (up ? 1.0f : -1.0f) * kMaxDelayMs / units,
                           m.mDelayUnit);
    SetChDelay(c, ms);
}

void EditingRules::SetSpeakerDelayEdit(int r)
{
    const int c = outputOfRole(r);
    if (c < 0)
        return;
    const auto typed = ParseNumber(m.ctl("spk_delay_%d", r).text());
    if (!typed) {
        ShowDelay(c);
        return;
    }
    const float ms = QuantiseDelay(DelayFromUnit(*typed, m.mDelayUnit), m.mDelayUnit);
    LogWrite("speaker %d channel %d delay edit value %.3f\n", r, c, ms);
    SetChDelay(c, ms);
}

void EditingRules::StepSpeakerDelay(int r, bool up)
{
    const int c = outputOfRole(r);
    if (c < 0)
        return;
    const float old = channel(m, c).delay;
    const float ms = std::clamp(old + (up ? kDelayStepMs : -kDelayStepMs), 0.0f, kMaxDelayMs);
    LogWrite("speaker %d channel %d delay edit value %.3f\n", r, c, ms);
    storeDelay(c, ms);
    moveDelayFollowers(c, ms - old, false);
}

void EditingRules::SetDelayButton(bool up)
{
    const int c = m.live().currOutChannel;
    if (!validOutput(c))
        return;
    const int role = m.live().outputs[static_cast<std::size_t>(c)];
    if (role != 0)
        StepSpeakerDelay(role, up);
}

void EditingRules::SetChDelayUnit()
{
    const int index = m.ctl("comb_ch_unit").currentIndex();
    m.mDelayUnit = static_cast<DelayUnit>(std::clamp(index, 0, 2));
    for (int c = 0; c < kOutputCount; ++c)
        ShowDelay(c);
}

} // namespace dravo
