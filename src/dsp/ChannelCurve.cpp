#include "ChannelCurve.h"

#include "BandDesign.h"
#include "CascadeResponse.h"
#include "CrossoverDesign.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace dravo {

namespace {

constexpr double kPhaseScale = 12.0;  // curve units per pi

void addCrossoverSections(const CurveFilter& filter, bool isLowPass,
                          std::vector<BiquadCoefficients>& sections)
{
    if (filter.bypass == 1)
        return;
    CrossoverSlots slots;
    DesignCrossover(isLowPass, false, filter.fs, filter.slope, filter.type, slots);
    for (int i = 0; i < kCrossoverSlotCount; ++i) {
        const CrossoverSection section = slots.section(i);
        if (section.kind != kSectionEmpty)
            sections.push_back(crossoverSectionCoefficients(section, isLowPass));
    }
}

} // namespace

double wrapScaledPhase(double radians)
{
    constexpr double pi = std::numbers::pi;
    double w = std::fmod(radians + pi, 2.0 * pi) - pi;
    if (w < -pi)
        w += 2.0 * pi;
    else if (w > pi)
        w -= 2.0 * pi;
    return w / pi * kPhaseScale;
}

void UpdateChannelCurve(const ChannelFilters& filters, bool eqBypassed, ChannelCurve& out)
{
    std::vector<BiquadCoefficients> sections;
    sections.reserve(2 * kCrossoverSlotCount + filters.bands.size());

    addCrossoverSections(filters.hp, false, sections);
    addCrossoverSections(filters.lp, true, sections);
    for (const CurveBand& band : filters.bands) {
        const double gain = (eqBypassed || band.enable != 1) ? 0.0 : band.gainDb;
        sections.push_back(bandCoefficients(kDspSampleRate, band.freq, gain, band.q, band.type));
    }

    cascadeResponseDb(sections, out.magnitude, out.phase);
    out.frequency = standardFrequencyGrid();
    for (double& p : out.phase)
        p = wrapScaledPhase(p);
}

} // namespace dravo
