#pragma once
// The diagnostic log: a developer's and installer's trace of what the program
// does. It is off unless "savelog.ini" exists in the working directory; then
// every message goes to standard output and to "save.log" beside it.
//
// One convention for the whole code base: printf-style UTF-8 formats.
#include <cstddef>
#include <filesystem>

namespace dravo {

// Decides once whether the log is on (presence of "savelog.ini" in `dir`),
// and if so recreates "save.log" there with its header lines. Returns whether
// the log is on.
bool LogStartup(const std::filesystem::path& dir = std::filesystem::current_path());

// Opens `path` as the log file (truncating it) and turns the log on.
bool LogOpen(const std::filesystem::path& path);

// Formats and writes one message. Returns the number of characters
// formatted, 0 when the log is off. The formatted text is written unchanged.
int LogWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes `size` bytes as "%02x " groups on one line without time prefix,
// then a line end, as one message that no other thread can split.
void LogDump(const void* data, std::size_t size);

// Turns the "[hh:mm:ss.mmm] " prefix on or off (a byte dump stays on one line).
void LogSetTimestamps(bool on);

bool LogIsOn();

// Closes the file and turns the log off again. The program never does this;
// tests do, to start each case from nothing.
void LogShutdown();

} // namespace dravo
