#pragma once
// The amplifier's input sources: the code the program uses everywhere, the
// code the device speaks, and how many input channels each has here.
#include "ModelSizes.h"

#include <string_view>

namespace dravo {

enum class SourceOffer {
    Always,
    Hidden,      // no inputs on this model
    WhenUsbUdp,  // offered while the USB option is UDP
    WhenUsbScp,  // offered while the USB option is SCP
};

struct InputSource {
    int code;
    std::string_view itemName;
    int deviceCode;
    int inputCount;
    SourceOffer offer;
};

inline constexpr InputSource kInputSources[kSourceCount] = {
    {0, "source_opt", 0x51, 2, SourceOffer::Always},
    {1, "source_coax", 0x52, 0, SourceOffer::Hidden},
    {2, "source_bt", 0x53, 2, SourceOffer::Always},
    {3, "source_aux", 0x54, 2, SourceOffer::Always},
    {4, "source_low", 0x55, 0, SourceOffer::Hidden},
    {5, "source_hi", 0x56, 8, SourceOffer::Always},
    {6, "source_dmp", 0x57, 0, SourceOffer::Hidden},
    {7, "source_udp", 0x58, 2, SourceOffer::WhenUsbUdp},
    {8, "source_scp", 0x59, 2, SourceOffer::WhenUsbScp},
};

inline constexpr int kSourceDeviceCodeBase = 0x51;
// A device code the program does not know is read as this source.
inline constexpr int kUnknownSourceCode = 4;
// No cross-source ("vice") source mixed in.
inline constexpr int kNoViceSource = kSourceCount;

// The USB option (mUsbUdpOrScp) that decides whether code 7 or 8 is offered.
inline constexpr int kUsbOptionUdp = 0;
inline constexpr int kUsbOptionScp = 1;

// Input channels of a source code; 0 for a hidden or unknown code.
constexpr int inputCountOf(int source)
{
    return (source < 0 || source >= kSourceCount) ? 0 : kInputSources[source].inputCount;
}

constexpr int sourceDeviceCode(int source)
{
    return kSourceDeviceCodeBase + source;
}

// 0x51..0x54 and 0x56..0x59 give their source; anything else, 0x55 included,
// gives source 4.
constexpr int sourceFromDeviceCode(int deviceCode)
{
    const int code = deviceCode - kSourceDeviceCodeBase;
    return (code < 0 || code >= kSourceCount) ? kUnknownSourceCode : code;
}

constexpr bool isSourceOffered(int source, int usbOption)
{
    if (source < 0 || source >= kSourceCount)
        return false;
    switch (kInputSources[source].offer) {
    case SourceOffer::Always: return true;
    case SourceOffer::Hidden: return false;
    case SourceOffer::WhenUsbUdp: return usbOption == kUsbOptionUdp;
    case SourceOffer::WhenUsbScp: return usbOption == kUsbOptionScp;
    }
    return false;
}

} // namespace dravo
