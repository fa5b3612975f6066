#pragma once
// Every skin picture exists in seven sizes, one per display scale; the file
// of a scale carries "@" and the percentage before its extension, except the
// 100 % one, which keeps the plain name.
#include <string>

namespace dravo {

struct ImageVariant {
    int dpi;
    int percent;
};

inline constexpr ImageVariant kImageVariants[] = {
    {64, 67}, {77, 80}, {96, 100}, {120, 125}, {144, 150}, {192, 200}, {288, 300},
};

inline constexpr int kImagePercents[] = {67, 80, 100, 125, 150, 200, 300};

// The percentage of the largest listed DPI not above `dpi` (67 below 64), so
// a DPI set by hand for debugging still finds pictures.
constexpr int imagePercentForDpi(int dpi)
{
    int percent = kImageVariants[0].percent;
    for (const ImageVariant& v : kImageVariants)
        if (v.dpi <= dpi)
            percent = v.percent;
    return percent;
}

inline std::string imageSuffixForPercent(int percent)
{
    return percent == 100 ? std::string() : "@" + std::to_string(percent);
}

} // namespace dravo
