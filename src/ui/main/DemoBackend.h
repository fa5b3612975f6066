#pragma once
// The demonstration amplifier: a simulated DRAVO-8.12 inside the program,
// plugged in at "sim:demo", that answers like a real one.
#include "transport/HidTransport.h"

#include <memory>

namespace dravo {

inline constexpr const char* kDemoDeviceId = "demo";

std::unique_ptr<HidBackend> MakeDemoBackend();

} // namespace dravo
