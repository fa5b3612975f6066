#include "RangeReply.h"

#include <algorithm>

namespace dravo::sim {

ItemRange clampRange(std::uint8_t first, std::uint8_t last, int count)
{
    return {first, std::min<int>(last, count - 1)};
}

void replyRange(CommandContext& ctx, const Request& request, const std::vector<std::uint8_t>& prefix,
                ItemRange range, int width, const std::function<void(int item, std::uint8_t* out)>& fill)
{
    const int header = static_cast<int>(prefix.size()) + 2;
    const int perPacket = std::max(1, (static_cast<int>(kMaxReplyData) - header) / width);
    auto packet = [&](int first, int last) {
        std::vector<std::uint8_t> data = prefix;
        data.push_back(static_cast<std::uint8_t>(first));
        data.push_back(static_cast<std::uint8_t>(last));
        for (int item = first; item <= last; ++item) {
            const std::size_t at = data.size();
            data.resize(at + static_cast<std::size_t>(width));
            fill(item, data.data() + at);
        }
        ctx.update(request, std::move(data));
    };

    if (range.first > range.last) {
        packet(range.first, range.last);
        return;
    }
    for (int first = range.first; first <= range.last; first += perPacket)
        packet(first, std::min(range.last, first + perPacket - 1));
}

} // namespace dravo::sim
