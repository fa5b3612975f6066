#pragma once
// The firmware version the program carries, and how a device's version
// compares with it (major first, then minor).
#include "ProductInfo.h"

namespace dravo {

enum class FirmwareAge { Same, Newer, Older };

constexpr FirmwareAge compareWithPackagedFirmware(int major, int minor)
{
    if (major != kInnerFirmwareMajor)
        return major > kInnerFirmwareMajor ? FirmwareAge::Newer : FirmwareAge::Older;
    if (minor != kInnerFirmwareMinor)
        return minor > kInnerFirmwareMinor ? FirmwareAge::Newer : FirmwareAge::Older;
    return FirmwareAge::Same;
}

} // namespace dravo
