#pragma once
// Log lines of the encoders: one message per request, so a line built from
// many values is never split by another thread's output.
#include "Log.h"

#include <cstdarg>
#include <cstdio>
#include <span>
#include <string>

namespace dravo::requestlog {

inline void appendf(std::string& line, const char* format, ...) __attribute__((format(printf, 2, 3)));

inline void appendf(std::string& line, const char* format, ...)
{
    char piece[160];
    std::va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    if (n > 0)
        line.append(piece, static_cast<std::size_t>(n) < sizeof piece ? static_cast<std::size_t>(n) : sizeof piece - 1);
}

// `header` followed by one formatted value per channel first..last.
template <class T>
void rangeLine(const std::string& header, int first, int last, std::span<const T> values, const char* valueFormat)
{
    if (!LogIsOn())
        return;
    std::string line = header;
    for (int i = 0; i <= last - first; ++i) {
        char piece[32];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        const int n = std::snprintf(piece, sizeof piece, valueFormat, values[static_cast<std::size_t>(i)]);
#pragma GCC diagnostic pop
        if (n > 0)
            line += piece;
    }
    line += '\n';
    LogWrite("%s", line.c_str());
}

// "<name>: scene(%d), ch %d~%d: " followed by the values.
template <class T>
void rangeLine(const char* name, int scene, int first, int last, std::span<const T> values, const char* valueFormat)
{
    if (!LogIsOn())
        return;
    std::string header;
    appendf(header, "%s: scene(%d), ch %d~%d: ", name, scene, first, last);
    rangeLine(header, first, last, values, valueFormat);
}

// "<name>: scene(%d), count(%zu): " and the entries sent.
inline void countedLine(const char* name, int scene, std::span<const int> values)
{
    if (!LogIsOn())
        return;
    std::string line;
    appendf(line, "%s: scene(%d), count(%zu): ", name, scene, values.size());
    for (int v : values)
        appendf(line, "%d, ", v);
    line += '\n';
    LogWrite("%s", line.c_str());
}

} // namespace dravo::requestlog
