#pragma once
// The command line of dravo-sim.
#include "BusServer.h"

#include <filesystem>
#include <optional>
#include <string>

namespace dravo::sim {

struct SimCommandLine {
    std::filesystem::path busDir;
    std::string id;
    BusServerOptions server;
    std::filesystem::path logFile; // empty: no log
    bool help = false;
};

inline constexpr const char* kSimUsage =
    "usage: dravo-sim --bus DIR --id NAME [--model N] [--version M.N] [--loader]\n"
    "                 [--latency-ms N] [--drop-reply N] [--corrupt-reply N] [--split-replies]\n"
    "                 [--ping-ms N] [--serial S] [--log FILE]\n";

// Parses argv. On a mistake returns nothing and says why in `error`.
std::optional<SimCommandLine> parseSimCommandLine(int argc, const char* const* argv, std::string& error);

} // namespace dravo::sim
