#pragma once
// Talking to a simulated amplifier the way a host does: 65-byte output
// reports in, 64-byte input reports out, packets found by the parser.
#include "CommandCodes.h"
#include "Packet.h"
#include "PacketReceiver.h"
#include "SimulatedAmplifier.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace dravo::sim::test {

using Bytes = std::vector<std::uint8_t>;

struct Packet {
    std::uint8_t type = 0;
    std::uint8_t sub = 0;
    std::uint8_t op = 0;
    Bytes data;
    bool operator==(const Packet&) const = default;
};

inline void PrintTo(const Packet& p, std::ostream* os)
{
    *os << "type " << int(p.type) << " sub 0x" << std::hex << int(p.sub) << " op 0x" << int(p.op) << " data";
    for (std::uint8_t b : p.data)
        *os << ' ' << int(b);
    *os << std::dec;
}

inline SimOptions instantOptions()
{
    SimOptions o;
    o.latencyMs = 0;
    return o;
}

inline void send(SimulatedAmplifier& amp, std::uint8_t cmd, std::uint8_t sub, std::uint8_t op, const Bytes& data = {})
{
    const OutputReport report = buildOutputReport(cmd, sub, op, data.data(), data.size());
    amp.receiveReport(report.data(), report.size());
}

// Every report that is ready now (or within `waitMs`).
inline std::vector<Bytes> drainReports(SimulatedAmplifier& amp, int waitMs = 0)
{
    std::vector<Bytes> reports;
    std::uint8_t buffer[64];
    while (amp.nextReport(buffer, waitMs) == 64)
        reports.emplace_back(buffer, buffer + 64);
    return reports;
}

inline std::vector<Packet> parse(const std::vector<Bytes>& reports)
{
    std::vector<Packet> packets;
    PacketReceiver receiver([&](std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes) {
        packets.push_back({type, bytes[0], bytes[1], Bytes(bytes + 2, bytes + L - 1)});
    });
    for (const Bytes& r : reports) {
        receiver.append(r.data(), r.size());
        receiver.drain();
    }
    return packets;
}

// Sends one request and returns the packets of its answer.
inline std::vector<Packet> exchange(SimulatedAmplifier& amp, std::uint8_t cmd, std::uint8_t sub, std::uint8_t op,
                                    const Bytes& data = {})
{
    send(amp, cmd, sub, op, data);
    return parse(drainReports(amp));
}

inline Packet update(std::uint8_t type, std::uint8_t sub, Bytes data) { return {type, sub, OP_UPDATE, std::move(data)}; }
inline Packet ready(std::uint8_t type, std::uint8_t sub, Bytes extra = {})
{
    Bytes data{ACK_READY};
    data.insert(data.end(), extra.begin(), extra.end());
    return {type, sub, OP_ACK, std::move(data)};
}
inline Packet notReady(std::uint8_t type, std::uint8_t sub, Bytes extra = {})
{
    Bytes data{ACK_NOT_READY};
    data.insert(data.end(), extra.begin(), extra.end());
    return {type, sub, OP_ACK, std::move(data)};
}

inline Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

inline Bytes repeat(const Bytes& group, int times)
{
    Bytes all;
    for (int i = 0; i < times; ++i)
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

} // namespace dravo::sim::test
