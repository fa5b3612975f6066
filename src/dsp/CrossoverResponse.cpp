#include "CrossoverResponse.h"

#include "CrossoverDesign.h"
#include "ResponseEvaluator.h"

#include <algorithm>
#include <vector>

namespace dravo {

void CrossoverResponse(bool isLowPass, double cutoffHz, int order, int type, int N,
                       const double* grid, double* magDb, double* phase)
{
    if (N <= 0)
        return;
    std::fill(magDb, magDb + N, 0.0);
    std::fill(phase, phase + N, 0.0);

    CrossoverSlots slots;
    DesignCrossover(isLowPass, false, cutoffHz, order, type, slots);

    std::vector<double> sectionMag(N);
    std::vector<double> sectionPhase(N);
    for (int i = 0; i < kCrossoverSlotCount; ++i) {
        const CrossoverSection section = slots.section(i);
        if (section.kind == kSectionEmpty)
            continue;
        const BiquadCoefficients c = crossoverSectionCoefficients(section, isLowPass);
        EvaluateResponse(c.b, c.a, 2, 1, sectionMag.data(), grid, sectionPhase.data(), N,
                         ResponseMode::Decibel);
        for (int k = 0; k < N; ++k) {
            magDb[k] += sectionMag[k];
            phase[k] += sectionPhase[k];
        }
    }
}

void CrossoverResponseFor(int selector, double cutoffHz, int order, int type, int N,
                          const double* grid, double* magDb, double* phase)
{
    CrossoverResponse(selector == kSelectLowPass, cutoffHz, order, type, N, grid, magDb, phase);
}

} // namespace dravo
