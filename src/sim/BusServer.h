#pragma once
// Serves one simulated amplifier on the virtual HID bus of a directory:
// "<id>.sock", a Unix stream socket the device listens on, and "<id>.json",
// its identity. The host writes 65-byte output reports and reads 64-byte
// input reports; the device closing the connection is a pull-out.
#include "SimBackend.h"
#include "SimulatedAmplifier.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace dravo::sim {

struct BusServerOptions {
    SimOptions sim;
    SimDeviceStrings strings;   // what "<id>.json" offers; absent keys cannot be read
    // The amplifier to serve; made from `sim` when null. Its state outlives
    // host connections, as a real amplifier's does.
    std::shared_ptr<SimulatedAmplifier> amplifier;
    // Called once the socket listens and the json is in place.
    std::function<void(const std::filesystem::path& socketPath)> onReady;
};

// Runs until `stop` is set, accepting one host at a time. Removes both files
// before it returns. Returns 0, or 1 when the device could not be set up
// (the reason is logged and printed to standard error).
int runBusServer(const std::filesystem::path& dir, const std::string& id, const BusServerOptions& options,
                 const std::atomic<bool>& stop);

// The identity file's text.
std::string deviceJson(const SimDeviceStrings& strings);

} // namespace dravo::sim
