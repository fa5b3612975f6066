#include "ReplyDecoder.h"

#include "CommandCodes.h"
#include "Log.h"
#include "ReplyContext.h"

#include <algorithm>
#include <array>

namespace dravo {

namespace {

enum class Handler : std::uint8_t { Dsp, Flash, Mcu, LogOnly, Ktv };

struct PacketTypeRow {
    std::uint8_t type;
    const char* logLine;
    Handler handler;
};

constexpr std::array<PacketTypeRow, 5> kPacketTypes{{
    {CMD_DSP, "packet_process: packet_type(CMD_DSP)\n", Handler::Dsp},
    {CMD_FLASH, "packet_process: packet_type(CMD_FLASH)\n", Handler::Flash},
    {CMD_MCU, "packet_process: packet_type(CMD_MCU)\n", Handler::Mcu},
    {CMD_DSP_DWRITE, "packet_process: packet_type(CMD_DSP_DWRITE)\n", Handler::LogOnly},
    {CMD_KTV, "packet_process: packet_type(CMD_KTV)\n", Handler::Ktv},
}};

// Sub-command and op type come before the data.
constexpr std::uint8_t kHeaderBytes = 3;

} // namespace

ReplyDecoder::ReplyDecoder(LinkState& state, PostFunction post) : mState(state), mPost(std::move(post)) {}

void ReplyDecoder::packetProcess(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes)
{
    const PacketTypeRow* row = nullptr;
    for (const auto& r : kPacketTypes)
        if (r.type == type)
            row = &r;
    if (!row)
        return;

    LogWrite("%s", row->logLine);
    if (row->handler == Handler::LogOnly)
        return;
    // Without its sub-command and op type a packet would make the handler
    // read bytes left over from an earlier one.
    if (L < kHeaderBytes || !bytes) {
        LogWrite("packet_process: packet_length(%d) too short, dropped\n", L);
        return;
    }

    const ReplyContext c{bytes[0], bytes[1], ReplyData(bytes + 2, L - kHeaderBytes), mState, mPost};
    switch (row->handler) {
    case Handler::Dsp:
        dspAckProcess(c, ++mDspReplyCount);
        break;
    case Handler::Flash:
        flashAckProcess(c);
        break;
    case Handler::Mcu:
        mcuAckProcess(c);
        break;
    case Handler::Ktv:
        ktvAckProcess(c);
        break;
    case Handler::LogOnly:
        break;
    }
}

void logShortReply(const char* what, const ReplyContext& c)
{
    LogWrite("%s: %u data bytes are too few, reply dropped\n", what, static_cast<unsigned>(c.d.size()));
}

void logDroppedEntries(const char* what, int from, const char* why)
{
    LogWrite("%s: entries from %d on lie %s, dropped\n", what, from, why);
}

void dispatchReply(std::span<const ReplyRow> table, const ReplyContext& c)
{
    const auto row =
        std::find_if(table.begin(), table.end(), [&](const ReplyRow& r) { return r.code == c.sub; });
    if (row == table.end()) {
        LogWrite("!!! NOT SUPPORT MSG\n");
        return;
    }
    if (row->decode)
        row->decode(c);
}

} // namespace dravo
