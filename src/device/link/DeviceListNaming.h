#pragma once
// How a listed amplifier is named: the name shown in the device list and the
// settings key its nickname is stored under. Strings are UTF-8; lengths and
// the key hash count UTF-16 code units, so names and keys stay the same as
// those written by the Windows build of the tool.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dravo {

inline constexpr std::size_t kDeviceNameMaxUnits = 63;

// The serial number trimmed of white space; else the decimal run in front of
// the first "digits&hexdigits" of the path (a Windows instance id such as
// "#7&1a2b3c4d&0&0000#" gives "7"); else the path. Cut to 63 units.
std::string deviceDisplayName(const std::optional<std::string>& serialNumber, const std::string& path);

// h = h * 31 + c over the UTF-16 code units of the name, modulo 2^32.
std::uint32_t deviceNameHash(std::string_view displayName);

// "dev_%08x" of deviceNameHash.
std::string deviceNicknameKey(std::string_view displayName);

// White space removed from both ends.
std::string trimmedText(std::string_view text);

// At most `units` UTF-16 code units, never splitting a surrogate pair.
std::string cutToUnits(std::string_view text, std::size_t units);

// Compares ignoring letter case (the path of an arrival notice may differ
// from the enumerated one only in case).
bool sameTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace dravo
