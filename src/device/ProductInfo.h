#pragma once
// Identity of the one amplifier model this program tunes, and of the program
// itself. The udev rule in packaging/ is generated from kUsbIds.
#include <cstdint>

namespace dravo {

struct UsbId {
    std::uint16_t vendorId;
    std::uint16_t productId;
};

inline constexpr UsbId kUsbIds[] = {
    {0x0483, 0x5750},
};
inline constexpr UsbId kAmplifierUsbId = kUsbIds[0];

inline constexpr const char* kModelName = "DRAVO-8.12";
inline constexpr int kModelId = 96;
inline constexpr const char* kSoftwareVersion = "v6.8.16";
inline constexpr int kInnerFirmwareMajor = 1;
inline constexpr int kInnerFirmwareMinor = 33;

} // namespace dravo
