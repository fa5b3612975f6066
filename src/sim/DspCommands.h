#pragma once
// The DSP side of the amplifier: applies CMD_DSP setters and answers queries.
#include "CommandContext.h"

namespace dravo::sim {

// Handles one CMD_DSP request. Returns false when the request was not
// understood (unknown code, wrong op type, malformed data): nothing changed
// and nothing is answered.
bool handleDspRequest(CommandContext& ctx, const Request& request);

} // namespace dravo::sim
