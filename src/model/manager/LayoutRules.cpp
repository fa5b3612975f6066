#include "LayoutRules.h"

#include "EqualizerManager.h"

namespace dravo {

void LayoutRules::SetOutputValue(int, int, bool) {}
bool LayoutRules::RoleInUse(int role) const { return m.live().roleInUse(role); }
bool LayoutRules::CanAssignRole(int c, int role) const { return m.live().canAssignRole(role, c); }
void LayoutRules::SetOutputLink() {}
void LayoutRules::SetOutpuLock() {}
void LayoutRules::ComputeLinkOutputs() {}
void LayoutRules::ApplyLinkState() {}
void LayoutRules::SetBridge(int, bool, bool) {}
void LayoutRules::ApplyBridgeFlag(int, bool) {}
void LayoutRules::SetSyncGroup(int, int) {}
void LayoutRules::SetDelayLinkGroup(int, int) {}
void LayoutRules::ResetSyncGroups() {}
void LayoutRules::ApplySyncGroup(int) {}
void LayoutRules::SetOutputBypass() {}
void LayoutRules::SetOutputEqReset() {}
void LayoutRules::SetPeqMode() {}
void LayoutRules::ShowPeqMode(bool) {}
void LayoutRules::SetOutputReset() {}
void LayoutRules::SetCurChannelChange(int) {}
void LayoutRules::ShowRolesAndMarkers() {}
void LayoutRules::SetSpeakerFocus(int) {}
void LayoutRules::OnSpeakerClicked(int) {}
void LayoutRules::SetCurveShown(int, bool) {}
void LayoutRules::SetInputSource(int) {}
void LayoutRules::SetInputIn(int, int) {}
void LayoutRules::ShowInputSelectors() {}
bool LayoutRules::OnTimer(int) { return false; }

} // namespace dravo
