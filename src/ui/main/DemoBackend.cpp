#include "DemoBackend.h"

#include "SimBackend.h"

namespace dravo {

std::unique_ptr<HidBackend> MakeDemoBackend()
{
    sim::SimBackend bus;
    sim::SimOptions options;
    options.latencyMs = 1;
    bus.attach(kDemoDeviceId, options);
    // The handle shares the simulated bus, which keeps the amplifier.
    return bus.handle();
}

} // namespace dravo
