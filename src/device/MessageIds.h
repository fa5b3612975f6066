#pragma once
// Private message ids, WM_USER + n, shared by every sender and receiver.
#include <cstdint>

namespace dravo {

inline constexpr std::uint32_t WM_USER = 0x0400;

inline constexpr std::uint32_t WM_MENU_ITEM_CLICK = WM_USER + 3;
inline constexpr std::uint32_t WM_DSP_VALUE = WM_USER + 210;
inline constexpr std::uint32_t WM_READ_MCU_VALUE = WM_USER + 211;
inline constexpr std::uint32_t WM_SCENE_VALUE = WM_USER + 213;
inline constexpr std::uint32_t WM_SCENE_DONE = WM_USER + 214;
inline constexpr std::uint32_t WM_DEVICE_ABNORMAL = WM_USER + 215;
inline constexpr std::uint32_t WM_DEVICE_REBOOT = WM_USER + 216;
inline constexpr std::uint32_t WM_IRC_VALUE = WM_USER + 217;
inline constexpr std::uint32_t WM_CONNECT_FAILED = WM_USER + 218;
inline constexpr std::uint32_t WM_CONNECTED = WM_USER + 219;
inline constexpr std::uint32_t WM_DISCONNECTED = WM_USER + 221;
inline constexpr std::uint32_t WM_KTV_VALUE = WM_USER + 222;
inline constexpr std::uint32_t WM_CHECK_FORCE_UPDATE = WM_USER + 224;
inline constexpr std::uint32_t WM_MEMWR_VALUE = WM_USER + 225;
inline constexpr std::uint32_t WM_SCENE_ID = WM_USER + 226;
inline constexpr std::uint32_t WM_DSP_FW_NEWER = WM_USER + 227;
inline constexpr std::uint32_t WM_UPGRADE_PROGRESS = WM_USER + 231;
inline constexpr std::uint32_t WM_UPGRADE_OK = WM_USER + 232;
inline constexpr std::uint32_t WM_UPGRADE_FAILED = WM_USER + 233;
inline constexpr std::uint32_t WM_UPGRADE_LOAD_FAILED = WM_USER + 234;
inline constexpr std::uint32_t WM_UPGRADE_MCU_STARTED = WM_USER + 235;
inline constexpr std::uint32_t WM_UPGRADE_FLASH_STARTED = WM_USER + 236;
inline constexpr std::uint32_t WM_UPGRADE_REPLUG = WM_USER + 237;
inline constexpr std::uint32_t WM_UPGRADE_BEGIN = WM_USER + 239;
inline constexpr std::uint32_t WM_IRC_PROGRESS = WM_USER + 244;
inline constexpr std::uint32_t WM_SHOW_LOADING = WM_USER + 250;
inline constexpr std::uint32_t WM_HIDE_LOADING = WM_USER + 251;
inline constexpr std::uint32_t WM_DEVICE_NAME_EDITED = WM_USER + 252;

} // namespace dravo
