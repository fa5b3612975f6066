#pragma once
// CMD_FLASH: the ten scenes kept in the amplifier's flash, and the DSP image.
#include "CommandContext.h"

namespace dravo::sim {

bool handleFlashRequest(CommandContext& ctx, const Request& request);

} // namespace dravo::sim
