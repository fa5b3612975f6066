#pragma once
// The codes that fill a packet header, with the names the logs use.
#include <array>
#include <cstdint>
#include <string_view>

namespace dravo {

// Packet types
inline constexpr std::uint8_t CMD_DSP = 1;
inline constexpr std::uint8_t CMD_FLASH = 2;
inline constexpr std::uint8_t CMD_MCU = 3;
inline constexpr std::uint8_t CMD_DSP_DWRITE = 4;
inline constexpr std::uint8_t CMD_KTV = 7;

// Op types
inline constexpr std::uint8_t OP_SET = 0xBB;
inline constexpr std::uint8_t OP_GET = 0x66;
inline constexpr std::uint8_t OP_UPDATE = 0xDD;
inline constexpr std::uint8_t OP_ACK = 0xEE;

// Acknowledge codes (first data byte of an OP_ACK)
inline constexpr std::uint8_t ACK_READY = 0x0A;
inline constexpr std::uint8_t ACK_NOT_READY = 0x60;

// First handshake byte of a device that is not running its normal firmware.
inline constexpr std::uint8_t HANDSHAKE_NOT_NORMAL = 0xF0;

// DSP sub-commands (packet type CMD_DSP)
inline constexpr std::uint8_t DSP_SOURCE_CONFIG = 0x00;
inline constexpr std::uint8_t DSP_SOURCE_SWITCH = 0x01;
inline constexpr std::uint8_t DSP_VOLUME = 0x02;
inline constexpr std::uint8_t DSP_SUBWOOFER_VOLUME = 0x03;
inline constexpr std::uint8_t DSP_MUTE = 0x04;
inline constexpr std::uint8_t DSP_FILTER_SET = 0x05;
inline constexpr std::uint8_t DSP_EQ_CH = 0x06;
inline constexpr std::uint8_t DSP_DELAY_CH = 0x07;
inline constexpr std::uint8_t DSP_TRIM_CH = 0x08;
inline constexpr std::uint8_t DSP_MUTE_CH = 0x09;
inline constexpr std::uint8_t DSP_PHASE_CH = 0x0A;
inline constexpr std::uint8_t DSP_MIX_CH = 0x0B;
inline constexpr std::uint8_t DSP_REMAP_CH = 0x0C;
inline constexpr std::uint8_t DSP_CH_TYPE = 0x0D;
inline constexpr std::uint8_t DSP_CH_LINK = 0x0E;
inline constexpr std::uint8_t DSP_CH_LOCK = 0x0F;
inline constexpr std::uint8_t DSP_BYPASS = 0x10;
inline constexpr std::uint8_t DSP_EQ_RESET = 0x11;
inline constexpr std::uint8_t DSP_EQ_BYPASS = 0x12;
inline constexpr std::uint8_t DSP_IRC_CTRL = 0x13;
inline constexpr std::uint8_t DSP_IRC_DISTANCE = 0x14;
inline constexpr std::uint8_t DSP_IRC_TRIM = 0x15;
inline constexpr std::uint8_t DSP_IRC_EQ = 0x16;
inline constexpr std::uint8_t DSP_IRC_SPK_SIZE = 0x17;
inline constexpr std::uint8_t DSP_IRC_SPK_PHASE = 0x18;
inline constexpr std::uint8_t DSP_IRC_SPK_LEVEL = 0x19;
inline constexpr std::uint8_t DSP_IRC_SPECTRUM = 0x1A;
inline constexpr std::uint8_t DSP_IRC_NOISE_LEVEL = 0x1B;
inline constexpr std::uint8_t DSP_IRC_RTA = 0x1C;
inline constexpr std::uint8_t DSP_IRC_TEST_MIC = 0x1D;
inline constexpr std::uint8_t DSP_IRC_SEL_TEST_MODULE = 0x1E;
inline constexpr std::uint8_t DSP_INPUT_TRIM_CH = 0x20;
inline constexpr std::uint8_t DSP_INPUT_CH_MUTE = 0x21;
inline constexpr std::uint8_t DSP_INPUT_CH_PHASE = 0x22;
inline constexpr std::uint8_t DSP_INPUT_EQ_CH = 0x23;
inline constexpr std::uint8_t DSP_INPUT_MIX_CH_TRIM = 0x24;
inline constexpr std::uint8_t DSP_INPUT_MIX_CH_PHASE = 0x25;
inline constexpr std::uint8_t DSP_INPUT_THRESHOLD = 0x26;
inline constexpr std::uint8_t DSP_INPUT_NOISE = 0x27;
inline constexpr std::uint8_t DSP_INPUT_MIX_CH_TRIM2 = 0x28;
inline constexpr std::uint8_t DSP_CH_TRIM_LINK = 0x30;
inline constexpr std::uint8_t DSP_CH_DELAY_LINK = 0x31;
inline constexpr std::uint8_t DSP_SEL_REMOTE_CH = 0x32;
inline constexpr std::uint8_t DSP_REMOTE_CH_VOLUME = 0x33;
inline constexpr std::uint8_t DSP_CH_SOLO = 0x34;
inline constexpr std::uint8_t DSP_SPK_CH_CONFIG = 0x35;
inline constexpr std::uint8_t DSP_MIX_TYPE = 0x36;
inline constexpr std::uint8_t DSP_HPF_Q_FACT_MODE = 0x37;
inline constexpr std::uint8_t DSP_LPF_Q_FACT_MODE = 0x38;
inline constexpr std::uint8_t DSP_FACTORY_PRESET = 0x39;
inline constexpr std::uint8_t DSP_SETUP_MODE = 0x3A;
inline constexpr std::uint8_t DSP_AUTO_EFFECTION_ON_OFF_CONTROL = 0x3B;
inline constexpr std::uint8_t DSP_IRC_ACTIVE_BYPASS_CONTROL = 0x3C;
inline constexpr std::uint8_t DSP_CS_AUTO_SETTING = 0x3D;
inline constexpr std::uint8_t DSP_COMPRESSOR_SETTING = 0x3E;
inline constexpr std::uint8_t DSP_AMP_MUTE = 0x3F;
inline constexpr std::uint8_t DSP_INPUT_CH_DISTORT = 0x40;
inline constexpr std::uint8_t DSP_OUTPUT_CH_DISTORT = 0x41;
inline constexpr std::uint8_t DSP_MEM_DATA = 0x42;
inline constexpr std::uint8_t DSP_SPK_DIST = 0x43;
inline constexpr std::uint8_t DSP_MIX_SOURCE_SWITCH = 0x44;
inline constexpr std::uint8_t DSP_REM_OUT = 0x45;
inline constexpr std::uint8_t DSP_DSP_STATUS = 0x46;
inline constexpr std::uint8_t DSP_CROSS_SOURCE_MIX = 0x47;
inline constexpr std::uint8_t DSP_COMPRESSOR_ON_CH = 0x49;
inline constexpr std::uint8_t DSP_COMPRESSOR_SETTING2 = 0x4A;
inline constexpr std::uint8_t DSP_SPK_OHM = 0x4B;
inline constexpr std::uint8_t DSP_OUPUT_BRIDGE = 0x4C;
inline constexpr std::uint8_t DSP_CROSS_SOURCE_MIX_CS47048 = 0x4D;
inline constexpr std::uint8_t DSP_NOISE_GATE = 0x4E;
inline constexpr std::uint8_t DSP_NOISE_GATE_DRC_GAIN = 0x4F;
inline constexpr std::uint8_t DSP_NOISE_GATE_THRESHOLD = 0x50;
inline constexpr std::uint8_t DSP_MIX_TYPE2 = 0x83;

// Log names of DSP sub-commands 0x00..0x50 (empty: the logs print the number).
inline constexpr std::array<std::string_view, 0x51> kDspSubCommandNames = {
    "DSP_SOURCE_CONFIG", // 0x00
    "DSP_SOURCE_SWITCH", // 0x01
    "DSP_VOLUME", // 0x02
    "DSP_SUBWOOFER_VOLUME", // 0x03
    "DSP_MUTE", // 0x04
    "DSP_FILTER_SET", // 0x05
    "DSP_EQ_CH", // 0x06
    "DSP_DELAY_CH", // 0x07
    "DSP_TRIM_CH", // 0x08
    "DSP_MUTE_CH", // 0x09
    "DSP_PHASE_CH", // 0x0A
    "DSP_MIX_CH", // 0x0B
    "DSP_REMAP_CH", // 0x0C
    "DSP_CH_TYPE", // 0x0D
    "DSP_CH_LINK", // 0x0E
    "DSP_CH_LOCK", // 0x0F
    "DSP_BYPASS", // 0x10
    "DSP_EQ_RESET", // 0x11
    "DSP_EQ_BYPASS", // 0x12
    "DSP_IRC_CTRL", // 0x13
    "DSP_IRC_DISTANCE", // 0x14
    "DSP_IRC_TRIM", // 0x15
    "DSP_IRC_EQ", // 0x16
    "DSP_IRC_SPK_SIZE", // 0x17
    "DSP_IRC_SPK_PHASE", // 0x18
    "DSP_IRC_SPK_LEVEL", // 0x19
    "DSP_IRC_SPECTRUM", // 0x1A
    "DSP_IRC_NOISE_LEVEL", // 0x1B
    "DSP_IRC_RTA", // 0x1C
    "DSP_IRC_TEST_MIC", // 0x1D
    "DSP_IRC_SEL_TEST_MODULE", // 0x1E
    "", // 0x1F
    "DSP_INPUT_TRIM_CH", // 0x20
    "DSP_INPUT_CH_MUTE", // 0x21
    "DSP_INPUT_CH_PHASE", // 0x22
    "DSP_INPUT_EQ_CH", // 0x23
    "DSP_INPUT_MIX_CH_TRIM", // 0x24
    "DSP_INPUT_MIX_CH_PHASE", // 0x25
    "DSP_INPUT_THRESHOLD", // 0x26
    "DSP_INPUT_NOISE", // 0x27
    "DSP_INPUT_MIX_CH_TRIM2", // 0x28
    "", // 0x29
    "", // 0x2A
    "", // 0x2B
    "", // 0x2C
    "", // 0x2D
    "", // 0x2E
    "", // 0x2F
    "DSP_CH_TRIM_LINK", // 0x30
    "DSP_CH_DELAY_LINK", // 0x31
    "DSP_SEL_REMOTE_CH", // 0x32
    "DSP_REMOTE_CH_VOLUME", // 0x33
    "DSP_CH_SOLO", // 0x34
    "DSP_SPK_CH_CONFIG", // 0x35
    "DSP_MIX_TYPE", // 0x36
    "DSP_HPF_Q_FACT_MODE", // 0x37
    "DSP_LPF_Q_FACT_MODE", // 0x38
    "DSP_FACTORY_PRESET", // 0x39
    "DSP_SETUP_MODE", // 0x3A
    "DSP_AUTO_EFFECTION_ON_OFF_CONTROL", // 0x3B
    "DSP_IRC_ACTIVE_BYPASS_CONTROL", // 0x3C
    "DSP_CS_AUTO_SETTING", // 0x3D
    "DSP_COMPRESSOR_SETTING", // 0x3E
    "DSP_AMP_MUTE", // 0x3F
    "DSP_INPUT_CH_DISTORT", // 0x40
    "DSP_OUTPUT_CH_DISTORT", // 0x41
    "DSP_MEM_DATA", // 0x42
    "DSP_SPK_DIST", // 0x43
    "DSP_MIX_SOURCE_SWITCH", // 0x44
    "DSP_REM_OUT", // 0x45
    "DSP_DSP_STATUS", // 0x46
    "DSP_CROSS_SOURCE_MIX", // 0x47
    "", // 0x48
    "DSP_COMPRESSOR_ON_CH", // 0x49
    "DSP_COMPRESSOR_SETTING2", // 0x4A
    "DSP_SPK_OHM", // 0x4B
    "DSP_OUPUT_BRIDGE", // 0x4C
    "DSP_CROSS_SOURCE_MIX_CS47048", // 0x4D
    "DSP_NOISE_GATE", // 0x4E
    "DSP_NOISE_GATE_DRC_GAIN", // 0x4F
    "DSP_NOISE_GATE_THRESHOLD", // 0x50
};

// The name the logs give a DSP sub-command: the table for 0x00..0x4D,
// "DSP_MIX_TYPE2" for 0x83, empty otherwise (the caller prints the number).
constexpr std::string_view dspSubCommandName(unsigned code)
{
    if (code == DSP_MIX_TYPE2)
        return "DSP_MIX_TYPE2";
    if (code <= 0x4D)
        return kDspSubCommandNames[code];
    return {};
}

// Controller sub-commands (packet type CMD_MCU)
inline constexpr std::uint8_t MCU_ENTER_UPG_MODE = 0x01;
inline constexpr std::uint8_t MCU_UPG_START = 0x02;
inline constexpr std::uint8_t MCU_UPG_BLOCK = 0x03;
inline constexpr std::uint8_t MCU_UPG_FINISH = 0x04;
inline constexpr std::uint8_t MCU_HANDSHAKE = 0x08;
inline constexpr std::uint8_t MCU_GET_DSPFLASH_VER = 0x0B;
inline constexpr std::uint8_t MCU_BOOTLOADER_VERSION = 0x0C;
inline constexpr std::uint8_t MCU_PASSWORD = 0x0D;
inline constexpr std::uint8_t MCU_PC_CONNECT = 0x1F;
inline constexpr std::uint8_t MCU_TEXT_BLOCK = 0x41;
inline constexpr std::uint8_t MCU_INIT = 0x60;
inline constexpr std::uint8_t MCU_REBOOT = 0x8F;
inline constexpr std::uint8_t MCU_FACTORY_DEFAULT = 0x90;
inline constexpr std::uint8_t MCU_POWER_OFF_DELAY = 0x91;
inline constexpr std::uint8_t MCU_ACC = 0x92;
inline constexpr std::uint8_t MCU_PING = 0x93;
inline constexpr std::uint8_t MCU_USB_POWER_PIN = 0x95;
inline constexpr std::uint8_t MCU_BL_ENTER_UPG_MODE = 0xA0;
inline constexpr std::uint8_t MCU_BL_UPG_START = 0xA1;
inline constexpr std::uint8_t MCU_BL_UPG_BLOCK = 0xA2;
inline constexpr std::uint8_t MCU_BL_UPG_FINISH = 0xA3;

// Flash sub-commands (packet type CMD_FLASH)
inline constexpr std::uint8_t FLASH_CHIP_ERASE = 0x02;
inline constexpr std::uint8_t FLASH_UPG_START = 0x03;
inline constexpr std::uint8_t FLASH_UPG_BLOCK = 0x04;
inline constexpr std::uint8_t FLASH_UPG_FINISH = 0x05;
inline constexpr std::uint8_t FLASH_SAVE_SCENE = 0x08;
inline constexpr std::uint8_t FLASH_READ_SCENE = 0x09;
inline constexpr std::uint8_t FLASH_DELETE_SCENE = 0x0A;
inline constexpr std::uint8_t FLASH_SCENE_NAME = 0x0B;
inline constexpr std::uint8_t FLASH_SCENE_ID = 0x0E;
inline constexpr std::uint8_t FLASH_SCENE_VALID = 0x0F;

// Karaoke items (packet type CMD_KTV)
inline constexpr std::uint8_t KTV_MIC_VOL = 1;
inline constexpr std::uint8_t KTV_MUSIC_VOL = 2;
inline constexpr std::uint8_t KTV_HOWLING = 3;
inline constexpr std::uint8_t KTV_ECHO_LEVEL = 4;
inline constexpr std::uint8_t KTV_ECHO_DELAY = 5;
inline constexpr std::uint8_t KTV_REVERB_LEVEL = 6;
inline constexpr std::uint8_t KTV_REVERB_TIME = 7;
inline constexpr std::uint8_t KTV_VOICE_CHANGER = 8;
inline constexpr std::uint8_t KTV_BASS_GAIN = 9;
inline constexpr std::uint8_t KTV_TREBLE_GAIN = 10;

} // namespace dravo
