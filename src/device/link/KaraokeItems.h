#pragma once
// The karaoke effect's values, one sub-command each: how many bytes the
// value takes on the wire, whether it is signed, and whether the device
// answers a query for it.
#include "CommandCodes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace dravo {

struct KaraokeItem {
    std::uint8_t code;
    std::string_view logWord;
    std::uint8_t dataSize; // 1, or 2 big-endian
    bool isSigned;
    bool hasQuery;
};

inline constexpr std::array<KaraokeItem, 10> kKaraokeItems{{
    {KTV_MIC_VOL, "MIC VOL", 1, false, true},
    {KTV_MUSIC_VOL, "MUSIC_VOL", 1, false, true},
    {KTV_HOWLING, "HOWLING", 1, false, true},
    {KTV_ECHO_LEVEL, "ECHO LEVEL", 1, false, true},
    {KTV_ECHO_DELAY, "ECHO_DELAY", 2, false, true},
    {KTV_REVERB_LEVEL, "REVERB_LEVEL", 1, false, true},
    {KTV_REVERB_TIME, "REVERB_TIME", 1, false, true},
    {KTV_VOICE_CHANGER, "VOICE_CHANGER", 1, false, true},
    {KTV_BASS_GAIN, "KTV_BASS_GAIN", 1, true, false},
    {KTV_TREBLE_GAIN, "KTV_TREBLE_GAIN", 1, true, false},
}};

constexpr std::optional<KaraokeItem> findKaraokeItem(int code)
{
    for (const KaraokeItem& item : kKaraokeItems)
        if (item.code == code)
            return item;
    return std::nullopt;
}

} // namespace dravo
