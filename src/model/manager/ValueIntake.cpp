#include "ValueIntake.h"

#include "EqualizerManager.h"

namespace dravo {

bool ValueIntake::HandleMessage(Message&) { return false; }

} // namespace dravo
