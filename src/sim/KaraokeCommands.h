#pragma once
// CMD_KTV: one value per karaoke item.
#include "CommandContext.h"

namespace dravo::sim {

bool handleKaraokeRequest(CommandContext& ctx, const Request& request);

} // namespace dravo::sim
