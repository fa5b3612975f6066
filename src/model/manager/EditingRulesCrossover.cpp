// The high-pass and low-pass sections of the selected output.
#include "EditingRules.h"

#include "DeviceLink.h"
#include "EditingRulesValues.h"
#include "EqualizerManager.h"
#include "Log.h"
#include "ValueIntake.h"

#include <algorithm>
#include <cstdio>

namespace dravo {

using namespace editing;

namespace {

// The controls and words of one section.
struct SectionControls {
    const char* type;
    const char* slope;
    const char* freq;
    const char* name;  // in the log lines
    CrossoverSection wire;
};

constexpr SectionControls kHighPass{"hp_type", "hp_slop", "hp_freq", "hp", CrossoverSection::HighPass};
constexpr SectionControls kLowPass{"lp_type", "lp_slop", "lp_freq", "lp", CrossoverSection::LowPass};

const SectionControls& controlsOf(FilterSide side) { return side == FilterSide::HighPass ? kHighPass : kLowPass; }

FilterSection& sectionOf(Crossover& x, FilterSide side) { return side == FilterSide::HighPass ? x.hp : x.lp; }
const FilterSection& sectionOf(const Crossover& x, FilterSide side)
{
    return side == FilterSide::HighPass ? x.hp : x.lp;
}

// The characteristic whose slopes only come in even orders.
constexpr int kEvenSlopeType = 2;
constexpr int kOddSlopes[] = {1, 3, 5, 7};

bool isOdd(int slope) { return slope % 2 != 0; }

std::string hertzText(int hz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%dHz", hz);
    return text;
}

} // namespace

void EditingRules::showSlopeItems(FilterSide side, int type)
{
    Control& slope = m.ctl(controlsOf(side).slope);
    for (int item : kOddSlopes)
        slope.setItemVisible(item, type != kEvenSlopeType);
}

void EditingRules::ShowCrossover()
{
    const int c = m.live().currOutChannel;
    if (c < 0 || c >= kOutputCount)
        return;
    Crossover& x = m.live().channels[static_cast<std::size_t>(c)].crossover;
    for (FilterSide side : {FilterSide::HighPass, FilterSide::LowPass}) {
        const SectionControls& names = controlsOf(side);
        const FilterSection& section = sectionOf(x, side);
        showSlopeItems(side, section.type);
        m.ctl(names.type).setCurrentIndex(section.type);
        m.ctl(names.slope).setCurrentIndex(section.slope);
        m.ctl(names.freq).setText(hertzText(section.fs));
    }
}

void EditingRules::SendCrossover(int c)
{
    if (c < 0 || c >= kOutputCount)
        return;
    const Crossover& x = m.live().channels[static_cast<std::size_t>(c)].crossover;
    const std::uint8_t scene = m.live().sceneId;
    m.link().Filter_Ctrl(scene, 0, c, CrossoverSection::LowPass, x.lp.type, x.lp.fs, x.lp.slope, false);
    m.link().Filter_Ctrl(scene, 0, c, CrossoverSection::HighPass, x.hp.type, x.hp.fs, x.hp.slope, false);
}

// Writes the changed fields (-1 = unchanged) into the section of the selected
// output, its partner and its group, and sends that section of each unless a
// drag holds the request back.
void EditingRules::applyFilterSection(FilterSide side, int type, int slope, int freq, bool send)
{
    SenceConfig& s = m.live();
    const int c = s.currOutChannel;
    std::vector<int> outputs{c};
    for (int member : m.syncMembers(c, false, false))
        outputs.push_back(member);
    const int partner = m.partnerOf(c);
    if (partner >= 0 && std::find(outputs.begin(), outputs.end(), partner) == outputs.end())
        outputs.push_back(partner);

    for (int o : outputs) {
        Crossover& x = s.channels[static_cast<std::size_t>(o)].crossover;
        FilterSection& section = sectionOf(x, side);
        if (type >= 0)
            section.setType(type);
        if (slope >= 0)
            section.setSlope(slope);
        if (freq >= 0)
            section.setFrequency(freq);
        x.bpType = Crossover::passFor(x.hp.slope, x.lp.slope);
        if (send)
            m.link().Filter_Ctrl(s.sceneId, 0, o, controlsOf(side).wire, section.type, section.fs, section.slope,
                                 false);
    }
    ShowCrossover();
    m.intake().UpdateEqualizer(m.mEqIndex);
}

void EditingRules::SetFilterType(FilterSide side)
{
    const int c = m.live().currOutChannel;
    if (c < 0 || c >= kOutputCount)
        return;
    const SectionControls& names = controlsOf(side);
    Control& combo = m.ctl(names.type);
    const int type = combo.currentIndex();
    const FilterSection& section = sectionOf(m.live().channels[static_cast<std::size_t>(c)].crossover, side);
    if (type < 0 || type == section.type)
        return;
    LogWrite("set %s type to %s index %d\n", names.name, combo.text().c_str(), type);
    int slope = -1;
    if (type == kEvenSlopeType && isOdd(section.slope))
        slope = section.slope + 1;
    applyFilterSection(side, type, slope, -1, true);
}

void EditingRules::SetFilterSlope(FilterSide side)
{
    const int c = m.live().currOutChannel;
    if (c < 0 || c >= kOutputCount)
        return;
    const SectionControls& names = controlsOf(side);
    Control& combo = m.ctl(names.slope);
    const int slope = combo.currentIndex();
    const FilterSection& section = sectionOf(m.live().channels[static_cast<std::size_t>(c)].crossover, side);
    if (slope < 0 || slope == section.slope)
        return;
    LogWrite("set %s slop to %s index %d\n", names.name, combo.text().c_str(), slope);
    applyFilterSection(side, -1, slope, -1, true);
}

void EditingRules::SetFreqDivider(FilterSide side)
{
    const auto typed = ParseFrequencyText(m.ctl(controlsOf(side).freq).text());
    if (!typed) {
        ShowCrossover();
        return;
    }
    SetCrossoverFrequency(side, *typed);
}

void EditingRules::SetCrossoverFrequency(FilterSide side, int hz)
{
    setCrossoverFrequency(side, hz, true);
}

bool EditingRules::setCrossoverFrequency(FilterSide side, int hz, bool send)
{
    const int c = m.live().currOutChannel;
    if (c < 0 || c >= kOutputCount)
        return false;
    const Crossover& x = m.live().channels[static_cast<std::size_t>(c)].crossover;
    hz = std::clamp(hz, kMinFrequencyHz, kMaxFrequencyHz);
    // Each section stays on its own side of the other.
    if (side == FilterSide::HighPass)
        hz = std::min(hz, x.lp.fs);
    else
        hz = std::max(hz, x.hp.fs);
    LogWrite("set %s freq to %d \n", controlsOf(side).name, hz);
    if (hz == sectionOf(x, side).fs) {
        ShowCrossover();
        return false;
    }
    applyFilterSection(side, -1, -1, hz, send);
    return true;
}

void EditingRules::SetHpFreqUp(bool up)
{
    LogWrite("SetHpFreqUp up(%d)\n", up ? 1 : 0);
    const int c = m.live().currOutChannel;
    if (c < 0 || c >= kOutputCount)
        return;
    const int hz = m.live().channels[static_cast<std::size_t>(c)].crossover.hp.fs;
    const int next = LogFrequencyStep(hz, up);
    if (next != hz)
        SetCrossoverFrequency(FilterSide::HighPass, next);
}

void EditingRules::SetLpFreqUp(bool up)
{
    LogWrite("SetLpFreqUp up(%d)\n", up ? 1 : 0);
    const int c = m.live().currOutChannel;
    if (c < 0 || c >= kOutputCount)
        return;
    const int hz = m.live().channels[static_cast<std::size_t>(c)].crossover.lp.fs;
    const int next = LogFrequencyStep(hz, up);
    if (next != hz)
        SetCrossoverFrequency(FilterSide::LowPass, next);
}

} // namespace dravo
