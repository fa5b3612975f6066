#include "ValueIntake.h"

#include "EqualizerManager.h"

namespace dravo {

bool ValueIntake::HandleMessage(Message&) { return false; }
void ValueIntake::ReadDspValueCallback(int, Message&) {}
void ValueIntake::ReadMcuValueCallback(int, Message&) {}
void ValueIntake::ReadKtvValueCallback(int, Message&) {}
void ValueIntake::ReadSenceValueCallback(int, Message&) {}
void ValueIntake::SetReadProfileToView() {}
void ValueIntake::UpdateEqualizer(int) {}

} // namespace dravo
