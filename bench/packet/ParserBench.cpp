// Parser throughput: how fast the receive side turns report bytes into
// dispatched packets. Target: well above 100 MB/s, so parsing never shows
// next to USB's own 64 kB/s.
#include "CommandCodes.h"
#include "Packet.h"
#include "PacketReceiver.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace dravo;

namespace {

// A stream of 64-byte reports, each holding one EQ reply (L = 40) then zeros.
std::vector<std::uint8_t> makeReports(int count)
{
    std::vector<std::uint8_t> stream;
    std::vector<std::uint8_t> data(37);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7);
    for (int r = 0; r < count; ++r) {
        std::uint8_t report[kInputReportSize] = {};
        buildPacket(CMD_DSP, DSP_EQ_CH, OP_UPDATE, data.data(), data.size(), report);
        stream.insert(stream.end(), report, report + kInputReportSize);
    }
    return stream;
}

void BM_ParseReports(benchmark::State& state)
{
    const auto stream = makeReports(1024);
    std::size_t packets = 0;
    PacketReceiver rx([&](std::uint8_t, std::uint8_t, const std::uint8_t*) { ++packets; });
    for (auto _ : state) {
        for (std::size_t off = 0; off < stream.size(); off += kInputReportSize) {
            rx.append(stream.data() + off, kInputReportSize);
            rx.drain();
        }
    }
    benchmark::DoNotOptimize(packets);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
    state.counters["packets"] = benchmark::Counter(static_cast<double>(packets), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParseReports);

} // namespace
