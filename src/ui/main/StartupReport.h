#pragma once
// What it costs to get to a connected window: the time since the process
// began (exec included, not only main) and the resident memory.
#include <string>

namespace dravo {

// Milliseconds since the kernel started this process; -1 when /proc cannot
// tell. Resolution is the kernel's clock tick (usually 10 ms).
long long MillisecondsSinceProcessStart();

// VmRSS of this process in kB; -1 when /proc cannot tell.
long long ResidentKilobytes();

// "startup_ms=<ms> rss_kb=<kB>"
std::string StartupReportLine();

} // namespace dravo
