#include "KaraokeCommands.h"

#include "WireBytes.h"

namespace dravo::sim {

bool handleKaraokeRequest(CommandContext& ctx, const Request& r)
{
    if (r.sub < KTV_MIC_VOL || r.sub > KTV_TREBLE_GAIN)
        return false;
    // The echo delay is the one two-byte item.
    const std::size_t width = r.sub == KTV_ECHO_DELAY ? 2 : 1;
    std::uint16_t& value = ctx.state.amp.karaoke[r.sub];
    if (r.op == OP_SET) {
        if (r.data.size() < width)
            return false;
        value = static_cast<std::uint16_t>(width == 2 ? getU16(r.data.data()) : r.data[0]);
        ctx.ack(r, ACK_READY);
        return true;
    }
    if (r.op == OP_GET) {
        std::vector<std::uint8_t> data(width);
        if (width == 2)
            putU16(data.data(), value);
        else
            data[0] = static_cast<std::uint8_t>(value);
        ctx.update(r, std::move(data));
        return true;
    }
    return false;
}

} // namespace dravo::sim
