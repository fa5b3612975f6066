#include "MainVolumeScale.h"

#include <algorithm>
#include <cmath>

namespace dravo {

double mainVolumeStepToDb(int step)
{
    if (step <= kMainVolumeMinStep)
        return kMainVolumeMinDb;
    if (step >= kMainVolumeMaxStep)
        return kMainVolumeMaxDb;
    return kMainVolumeDbPerDecade * std::log10(static_cast<double>(step)) + kMainVolumeMinDb;
}

int mainVolumeAttenuation(int step)
{
    return static_cast<int>(kMainVolumeMaxDb - mainVolumeStepToDb(step));
}

int mainVolumeStepFromDeviceLevel(int level)
{
    const double step = std::pow(10.0, (level - kMainVolumeMinDb) / kMainVolumeDbPerDecade);
    return static_cast<int>(std::clamp(step, double(kMainVolumeMinStep), double(kMainVolumeMaxStep)));
}

} // namespace dravo
