#pragma once
// hidapi hands out its strings as wchar_t (UTF-32 on Linux); everything
// above the transport speaks UTF-8.
#include <string>

namespace dravo {

// Code points that are not Unicode scalar values become U+FFFD. Null reads
// as the empty string.
std::string wideToUtf8(const wchar_t* text);

} // namespace dravo
