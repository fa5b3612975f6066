#pragma once
// The response curve of one output of a record, as the equaliser display
// draws it.
#include "ChannelCurve.h"
#include "SenceConfig.h"

namespace dravo {

// Recomputes `out` from output `channel`'s crossover and its bands in use;
// eqBypassed draws every band flat (all-pass bands keep their phase).
// Returns false and leaves `out` alone for an output outside 0..11.
bool computeChannelCurve(const SenceConfig& sence, int channel, bool eqBypassed, ChannelCurve& out);

} // namespace dravo
