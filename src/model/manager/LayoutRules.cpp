#include "LayoutRules.h"

#include "EqualizerManager.h"

namespace dravo {

bool LayoutRules::OnTimer(int) { return false; }

} // namespace dravo
