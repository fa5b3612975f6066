#pragma once
// What every reply handler works with: the packet's data bytes behind a
// bounds check, the link state and the post function. Internal to the
// decoders.
#include "ReplyDecoder.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace dravo {

// The data bytes of one packet (d[0] is the byte after the op type). Every
// read is checked against the bytes the packet carries; a handler asks
// `has()` before it trusts a value, the accessors return 0 past the end so a
// missed check cannot read foreign memory.
class ReplyData {
public:
    ReplyData(const std::uint8_t* data, std::size_t size) : mData(data), mSize(size) {}

    std::size_t size() const { return mSize; }
    bool has(std::size_t offset, std::size_t count = 1) const
    {
        return offset <= mSize && count <= mSize - offset;
    }
    std::uint8_t u8(std::size_t i) const { return i < mSize ? mData[i] : 0; }
    std::int8_t s8(std::size_t i) const { return static_cast<std::int8_t>(u8(i)); }
    std::uint16_t u16(std::size_t i) const { return static_cast<std::uint16_t>(u8(i) << 8 | u8(i + 1)); }

private:
    const std::uint8_t* mData;
    std::size_t mSize;
};

struct ReplyContext {
    std::uint8_t sub;
    std::uint8_t op;
    ReplyData d;
    LinkState& state;
    const PostFunction& post;

    void postValue(Target target, std::uint32_t id, std::int64_t wParam, std::int64_t lParam) const
    {
        Message m;
        m.id = id;
        m.wParam = wParam;
        m.lParam = lParam;
        if (post)
            post(target, std::move(m));
    }

    void postRecord(Target target, std::uint32_t id, std::int64_t wParam, std::unique_ptr<Record> record) const
    {
        Message m;
        m.id = id;
        m.wParam = wParam;
        m.record = std::move(record);
        if (post)
            post(target, std::move(m));
    }
};

// The handlers packet_process hands a packet to, by packet type.
void dspAckProcess(const ReplyContext& c, unsigned replyNumber);
void mcuAckProcess(const ReplyContext& c);
void flashAckProcess(const ReplyContext& c);
void ktvAckProcess(const ReplyContext& c);

// Logs that a reply was too short for what its sub-command needs; the caller
// then drops it.
void logShortReply(const char* what, const ReplyContext& c);

void logDroppedEntries(const char* what, int from, const char* why);

// Walks the entries of a range reply: for index i from `first` to `last`
// (k = i - first), the entry of `size` bytes sits at d[base + size * k].
// Calls each(i, k, offset) for every entry that lies inside the packet and
// whose index is below `limit` (the room of the record or of the receiver's
// arrays). Entries ascend, so the walk stops at the first one that fails,
// with a log line. Returns the last index delivered, or first - 1.
template <typename Each>
int forEachEntry(const ReplyContext& c, const char* what, int first, int last, std::size_t base,
                 std::size_t size, int limit, Each each)
{
    int delivered = first - 1;
    for (int i = first; i <= last; ++i) {
        const int k = i - first;
        const std::size_t offset = base + size * static_cast<std::size_t>(k);
        if (i >= limit) {
            logDroppedEntries(what, i, "outside the record");
            break;
        }
        if (!c.d.has(offset, size)) {
            logDroppedEntries(what, i, "beyond the packet");
            break;
        }
        each(i, k, offset);
        delivered = i;
    }
    return delivered;
}

using Decode = void (*)(const ReplyContext&);

// One sub-command of a packet type and what its reply does.
struct ReplyRow {
    std::uint8_t code;
    Decode decode; // null: dropped without a word
};

// Runs the row of the reply's sub-command; a code missing from the table is
// logged "!!! NOT SUPPORT MSG".
void dispatchReply(std::span<const ReplyRow> table, const ReplyContext& c);

} // namespace dravo
