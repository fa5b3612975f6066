#include "StartupReport.h"

#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace dravo {
namespace {

// Field 22 of /proc/self/stat, in clock ticks since boot. The command name
// (field 2) may hold spaces and parentheses, so counting starts after its
// closing parenthesis, which is field 2's last character.
long long processStartTicks()
{
    std::ifstream in("/proc/self/stat");
    std::string line;
    if (!std::getline(in, line))
        return -1;
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int index = 3; index <= 22; ++index) {
        if (!(fields >> field))
            return -1;
    }
    try {
        return std::stoll(field);
    } catch (...) {
        return -1;
    }
}

} // namespace

long long MillisecondsSinceProcessStart()
{
    const long long ticks = processStartTicks();
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    timespec now{};
    if (ticks < 0 || ticksPerSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    return nowMs - ticks * 1000 / ticksPerSecond;
}

long long ResidentKilobytes()
{
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmRSS:", 0) != 0)
            continue;
        try {
            return std::stoll(line.substr(6));
        } catch (...) {
            return -1;
        }
    }
    return -1;
}

std::string StartupReportLine()
{
    return "startup_ms=" + std::to_string(MillisecondsSinceProcessStart()) +
           " rss_kb=" + std::to_string(ResidentKilobytes());
}

} // namespace dravo
