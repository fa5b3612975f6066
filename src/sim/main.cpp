// dravo-sim: one simulated amplifier on the virtual HID bus of a directory.
#include "BusServer.h"
#include "Log.h"
#include "SimCommandLine.h"

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> gStop{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the stop flag is set from a signal handler");

extern "C" void onStopSignal(int) { gStop = true; }

} // namespace

int main(int argc, char** argv)
{
    using namespace dravo::sim;
    std::string error;
    std::optional<SimCommandLine> line = parseSimCommandLine(argc, argv, error);
    if (!line) {
        std::fprintf(stderr, "dravo-sim: %s\n%s", error.c_str(), kSimUsage);
        return 2;
    }
    if (line->help) {
        std::fputs(kSimUsage, stdout);
        return 0;
    }
    if (!line->logFile.empty())
        dravo::LogOpen(line->logFile);

    struct sigaction action{};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    line->server.onReady = [&](const std::filesystem::path& socketPath) {
        std::printf("dravo-sim: %s on %s\n", line->id.c_str(), socketPath.c_str());
        std::fflush(stdout);
    };
    return runBusServer(line->busDir, line->id, line->server, gStop);
}
