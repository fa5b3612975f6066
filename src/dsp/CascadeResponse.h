#pragma once
// The fast way to a channel's curve: the response of a whole cascade of
// sections on the standard 512-point grid with one logarithm and one
// arctangent per point, instead of one per section and point.
#include "Biquad.h"
#include "FrequencyGrid.h"

#include <span>

namespace dravo {

// Gives, at every grid point, what adding up the sections' separate dB
// responses from EvaluateResponse would give: each section whose squared
// magnitude is at most kResponseFloorPower still counts as the -400 dB floor
// with phase 0 on its own. The phase is that sum's angle, in (-pi, pi]; it
// differs from the plain sum of the sections' phases by whole turns only.
void cascadeResponseDb(std::span<const BiquadCoefficients> sections, CurveGrid& magDb,
                       CurveGrid& phase);

} // namespace dravo
