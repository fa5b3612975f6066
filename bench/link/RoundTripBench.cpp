// One query answered by the in-process simulator with no USB latency: what
// the protocol itself costs per round trip (framing, write turn, read,
// parse, decode, post). Target: under 50 µs.
#include "DeviceLink.h"
#include "SimBackend.h"

#include <benchmark/benchmark.h>

using namespace dravo;

namespace {

class DropSink final : public MessageSink {
public:
    void post(Message) override { ++count; }
    long count = 0;
};

void BM_QueryRoundTrip(benchmark::State& state)
{
    sim::SimBackend backend;
    sim::SimOptions options;
    options.latencyMs = 0;
    backend.attach("amp1", options);
    DeviceLink link(backend.handle());
    DropSink sink;
    link.SetTarget(Target::Main, &sink);
    link.OpenHIDDevice(sim::SimBackend::pathOf("amp1"));
    if (!link.IsConnected()) {
        state.SkipWithError("cannot open the simulated amplifier");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(link.Get_Main_Volume());
    link.SetTarget(Target::Main, nullptr);
    state.counters["replies"] = static_cast<double>(sink.count);
}
BENCHMARK(BM_QueryRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace
