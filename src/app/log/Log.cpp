#include "Log.h"

#include "ProductInfo.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>
#include <unistd.h>

namespace dravo {
namespace {

struct LogState {
    std::mutex busy; // one writer at a time: messages never interleave
    std::FILE* file = nullptr;
    std::atomic<bool> on{false};
    bool timestamps = true;
    int sinceFlush = 0;
    std::string buffer;
};

LogState& state()
{
    static LogState s;
    return s;
}

void emit(LogState& s, const char* text, std::size_t len)
{
    std::fwrite(text, 1, len, stdout);
    if (s.file)
        std::fwrite(text, 1, len, s.file);
}

void writeLockedText(LogState& s, const std::string& text);

int writeLocked(LogState& s, const char* format, std::va_list args)
{
    if (s.timestamps) {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t t = system_clock::to_time_t(now);
        const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
        std::tm local{};
        localtime_r(&t, &local);
        char prefix[32];
        const int n = std::snprintf(prefix, sizeof prefix, "[%02d:%02d:%02d.%03d] ", local.tm_hour,
                                    local.tm_min, local.tm_sec, ms);
        emit(s, prefix, static_cast<std::size_t>(n));
    }

    std::va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0)
        return 0;
    s.buffer.resize(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(s.buffer.data(), s.buffer.size(), format, args);
    s.buffer.resize(static_cast<std::size_t>(needed));
    writeLockedText(s, s.buffer);
    return needed;
}

void writeLockedText(LogState& s, const std::string& text)
{
    emit(s, text.data(), text.size());

    // Protocol traffic logs a great deal; flushing only now and then keeps
    // the cost down while a crash loses at most a few lines.
    if (s.sinceFlush > 10) {
        if (s.file)
            std::fflush(s.file);
        std::fflush(stdout);
        s.sinceFlush = 0;
    }
    ++s.sinceFlush;
}

bool switchFilePresent(const std::filesystem::path& file)
{
    // A file we may not read still says the user wants the log.
    return ::access(file.c_str(), F_OK) == 0 || errno == EACCES;
}

} // namespace

bool LogOpen(const std::filesystem::path& path)
{
    LogState& s = state();
    std::lock_guard lock(s.busy);
    if (s.file)
        std::fclose(s.file);
    s.sinceFlush = 0;
    s.file = std::fopen(path.c_str(), "wb");
    s.on = true; // the console copy works even when the file cannot be created
    return s.file != nullptr;
}

bool LogStartup(const std::filesystem::path& dir)
{
    if (!switchFilePresent(dir / "savelog.ini"))
        return false;
    std::fputs("InitConsoleWindow OK!\n", stdout);
    LogOpen(dir / "save.log");
    LogWrite("MODEL_NAME: %s\n", kModelName);
    LogWrite("MODEL_ID: %d\n", kModelId);
    LogWrite("VERSION: %s\n", kSoftwareVersion);
    LogWrite("INNER_FW: %d, %d\n", kInnerFirmwareMajor, kInnerFirmwareMinor);
    return true;
}

int LogWrite(const char* format, ...)
{
    LogState& s = state();
    if (!s.on.load(std::memory_order_relaxed))
        return 0;
    std::lock_guard lock(s.busy);
    if (!s.on)
        return 0;
    std::va_list args;
    va_start(args, format);
    const int n = writeLocked(s, format, args);
    va_end(args);
    return n;
}

void LogDump(const void* data, std::size_t size)
{
    LogState& s = state();
    if (!s.on.load(std::memory_order_relaxed))
        return;
    std::string line;
    line.reserve(size * 3 + 1);
    const auto* bytes = static_cast<const unsigned char*>(data);
    char group[4];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(group, sizeof group, "%02x ", bytes[i]);
        line += group;
    }
    line += '\n';
    std::lock_guard lock(s.busy);
    if (!s.on)
        return;
    writeLockedText(s, line); // a dump never carries a time prefix
}

void LogSetTimestamps(bool on)
{
    LogState& s = state();
    std::lock_guard lock(s.busy);
    s.timestamps = on;
}

bool LogIsOn()
{
    return state().on;
}

void LogShutdown()
{
    LogState& s = state();
    std::lock_guard lock(s.busy);
    if (s.file)
        std::fclose(s.file);
    s.file = nullptr;
    s.on = false;
    s.timestamps = true;
    s.sinceFlush = 0;
}

} // namespace dravo
