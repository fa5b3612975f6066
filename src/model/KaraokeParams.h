#pragma once
// The ten karaoke values are stored in this order of their item codes:
// howling suppression, microphone volume, music volume, voice changer, echo
// level, echo delay, reverb level, reverb time, bass, treble.
#include "ModelSizes.h"

namespace dravo {

inline constexpr int kKaraokeItemOrder[kKaraokeParamCount] = {3, 1, 2, 8, 4, 5, 6, 7, 9, 10};

// Factory values of the first eight slots; bass and treble have none.
inline constexpr int kKaraokeFactoryValues[] = {0, 60, 60, 0, 0, 0, 0, 0};

// The slot of a karaoke item code, -1 for a code that is not stored.
constexpr int karaokeSlotOf(int itemCode)
{
    for (int i = 0; i < kKaraokeParamCount; ++i)
        if (kKaraokeItemOrder[i] == itemCode)
            return i;
    return -1;
}

} // namespace dravo
