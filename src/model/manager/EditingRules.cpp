#include "EditingRules.h"

#include "EqualizerManager.h"

namespace dravo {

bool EditingRules::OnTimer(int) { return false; }

} // namespace dravo
