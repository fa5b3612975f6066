#pragma once
// Replies that cover a range of channels, inputs or bands: a few header
// bytes, first and last, then a fixed-size group per item. A range too long
// for one packet goes out as several packets over consecutive sub-ranges.
#include "CommandContext.h"

#include <functional>
#include <vector>

namespace dravo::sim {

// An inclusive range as a request gives it, with `last` cut to the items
// that exist. first > last means no items.
struct ItemRange {
    int first = 0;
    int last = -1;
};

ItemRange clampRange(std::uint8_t first, std::uint8_t last, int count);

// Appends OP_UPDATE packets: prefix, first, last, then `width` bytes per item
// written by `fill`. An empty range still gets one packet with its header.
void replyRange(CommandContext& ctx, const Request& request, const std::vector<std::uint8_t>& prefix,
                ItemRange range, int width, const std::function<void(int item, std::uint8_t* out)>& fill);

} // namespace dravo::sim
