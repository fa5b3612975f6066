#pragma once
// Requests that carry one group of bytes per channel of an inclusive range
// first..last, or per entry of a counted list. The device reads as many groups as the range names, so the
// range written must match the groups that follow: when the caller's range
// is longer than the values it supplied, or than the request has room for,
// the range is cut to what is carried rather than reading or writing past
// either buffer.
#include "RequestBuilder.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>

namespace dravo {

struct RangeFit {
    int first = 0;
    int last = -1; // below first: no channel groups
    bool cut = false;
    constexpr int count() const { return last >= first ? last - first + 1 : 0; }
};

// The part of first..last that fits `room` bytes (after the two range bytes)
// with `groupSize` bytes per channel and `valuesGiven` values. A range with
// last below first stays as the caller gave it: it asks for no channels.
constexpr RangeFit fitRange(int first, int last, std::size_t valuesGiven, std::size_t groupSize, std::size_t room)
{
    if (last < first)
        return {first, last, false};
    const std::size_t wanted = static_cast<std::size_t>(last - first) + 1;
    const std::size_t byRoom = room >= 2 && groupSize > 0 ? (room - 2) / groupSize : 0;
    const std::size_t count = std::min({wanted, valuesGiven, byRoom});
    return {first, first + static_cast<int>(count) - 1, count < wanted};
}

// Appends first, last and one group per channel, `encode(builder, value)`
// writing a group, after whatever `builder` already holds (scene, source...).
// Gives nothing when a non-empty range was cut to no channel at all: such a
// request would tell the device to expect groups that are not there.
template <class T, class Encode>
std::optional<RangeFit> appendRange(RequestBuilder& builder, int first, int last, std::span<const T> values,
                                    std::size_t groupSize, Encode encode)
{
    const RangeFit fit = fitRange(first, last, values.size(), groupSize, builder.room());
    if (fit.cut && fit.count() == 0)
        return std::nullopt;
    builder.u8(fit.first).u8(fit.last);
    for (int i = 0; i < fit.count(); ++i)
        encode(builder, values[static_cast<std::size_t>(i)]);
    return fit;
}

// Appends a count n and n groups of `groupSize` bytes, n being as many of
// `values` as fit after the count byte. Returns n.
template <class T, class Encode>
std::size_t appendCountedList(RequestBuilder& builder, std::span<const T> values, std::size_t groupSize, Encode encode)
{
    const std::size_t byRoom = builder.room() >= 1 && groupSize > 0 ? (builder.room() - 1) / groupSize : 0;
    const std::size_t count = std::min(values.size(), byRoom);
    builder.u8(static_cast<std::int64_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        encode(builder, values[i]);
    return count;
}

} // namespace dravo
