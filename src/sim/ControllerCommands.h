#pragma once
// The amplifier's controller (CMD_MCU): handshake, power and remote
// settings, factory default, reboot and the controller firmware upgrade.
#include "CommandContext.h"

namespace dravo::sim {

bool handleControllerRequest(CommandContext& ctx, const Request& request);

} // namespace dravo::sim
