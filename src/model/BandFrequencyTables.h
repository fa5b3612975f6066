#pragma once
// Factory centre frequencies of the equaliser bands: the fewer the bands,
// the wider their spacing.
#include <span>

namespace dravo {

inline constexpr int kOctaveBands[] = {20, 40, 80, 160, 315, 630, 1250, 2500, 5000, 10000, 20000};

inline constexpr int kHalfOctaveBands[] = {20,   28,   40,   56,   80,   112,  160,
                                           220,  315,  450,  630,  890,  1250, 1800,
                                           2500, 3600, 5000, 7100, 10000, 14000, 20000};

inline constexpr int kThirdOctaveBands[] = {20,   25,   31,   40,   50,    63,    80,    100,
                                            125,  160,  200,  250,  315,   400,   500,   630,
                                            800,  1000, 1250, 1600, 2000,  2500,  3150,  4000,
                                            5000, 6300, 8000, 10000, 12500, 16000, 20000};

// Up to 11 bands use octaves, 12..21 half octaves, 22 or more third octaves.
constexpr std::span<const int> bandFrequenciesFor(int bandCount)
{
    if (bandCount <= 11)
        return kOctaveBands;
    if (bandCount <= 21)
        return kHalfOctaveBands;
    return kThirdOctaveBands;
}

} // namespace dravo
