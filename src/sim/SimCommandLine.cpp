#include "SimCommandLine.h"

#include <charconv>
#include <climits>
#include <cstring>

namespace dravo::sim {
namespace {

bool parseInt(const std::string& text, int min, int max, int& out)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < min || value > max)
        return false;
    out = value;
    return true;
}

// "M.N": master and slave firmware versions.
bool parseVersion(const std::string& text, int& master, int& slave)
{
    const std::size_t dot = text.find('.');
    return dot != std::string::npos && parseInt(text.substr(0, dot), 0, 255, master) &&
           parseInt(text.substr(dot + 1), 0, 255, slave);
}

// Names become file names in the bus directory.
bool validId(const std::string& id)
{
    return !id.empty() && id != "." && id != ".." && id.find('/') == std::string::npos && id.front() != '.';
}

} // namespace

std::optional<SimCommandLine> parseSimCommandLine(int argc, const char* const* argv, std::string& error)
{
    SimCommandLine line;
    std::optional<std::string> serial;
    SimOptions& sim = line.server.sim;

    struct IntOption {
        const char* name;
        int min;
        int max;
        int* target;
    };
    const IntOption intOptions[] = {
        {"--model", 0, 255, &sim.model},
        {"--latency-ms", 0, 10000, &sim.latencyMs},
        {"--drop-reply", 0, INT_MAX, &sim.dropReply},
        {"--corrupt-reply", 0, INT_MAX, &sim.corruptReply},
        {"--ping-ms", 0, 3600000, &sim.pingMs},
    };

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (arg == "--help" || arg == "-h") {
            line.help = true;
            return line;
        }
        if (arg == "--loader") {
            sim.loaderMode = true;
            continue;
        }
        if (arg == "--split-replies") {
            sim.splitReplies = true;
            continue;
        }
        const IntOption* intOption = nullptr;
        for (const IntOption& o : intOptions)
            if (arg == o.name)
                intOption = &o;
        if (intOption) {
            const auto v = value();
            if (!v)
                return std::nullopt;
            if (!parseInt(*v, intOption->min, intOption->max, *intOption->target)) {
                error = arg + ": not a number from " + std::to_string(intOption->min) + " to " +
                        std::to_string(intOption->max) + ": " + *v;
                return std::nullopt;
            }
            continue;
        }
        if (arg == "--bus" || arg == "--id" || arg == "--version" || arg == "--serial" || arg == "--log") {
            const auto v = value();
            if (!v)
                return std::nullopt;
            if (arg == "--bus")
                line.busDir = *v;
            else if (arg == "--id")
                line.id = *v;
            else if (arg == "--serial")
                serial = *v;
            else if (arg == "--log")
                line.logFile = *v;
            else if (!parseVersion(*v, sim.masterVersion, sim.slaveVersion)) {
                error = "--version: expected M.N, got " + *v;
                return std::nullopt;
            }
            continue;
        }
        error = "unknown argument " + arg;
        return std::nullopt;
    }

    if (line.busDir.empty()) {
        error = "--bus is required";
        return std::nullopt;
    }
    if (!validId(line.id)) {
        error = line.id.empty() ? "--id is required" : "--id must be a plain file name: " + line.id;
        return std::nullopt;
    }
    line.server.strings = defaultDeviceStrings(line.id);
    if (serial)
        line.server.strings.serialNumber = *serial;
    return line;
}

} // namespace dravo::sim
