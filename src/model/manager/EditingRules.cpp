#include "EditingRules.h"

#include "EqualizerManager.h"

namespace dravo {

void EditingRules::ApplyMute(int, int, bool) {}
void EditingRules::ApplyPhase(int, int, bool) {}
void EditingRules::ApplySolo(int, int, bool) {}
void EditingRules::ShowLevel(int) {}
void EditingRules::SendLevel(int) {}
void EditingRules::ShowDelay(int) {}
void EditingRules::SendDelay(int) {}
void EditingRules::ShowCrossover() {}
void EditingRules::ShowBands() {}
void EditingRules::SendBand(int, int) {}
void EditingRules::SendCrossover(int) {}
void EditingRules::ApplyUsbOption(int, bool) {}
void EditingRules::ShowMainVolume() {}
void EditingRules::StartMainVolumePoll() {}

bool EditingRules::OnTimer(int) { return false; }

} // namespace dravo
