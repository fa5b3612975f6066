#pragma once
// How a simulated amplifier presents itself and which faults it injects.
#include "ProductInfo.h"

namespace dravo::sim {

struct SimOptions {
    int model = kModelId;
    int masterVersion = kInnerFirmwareMajor;
    int slaveVersion = kInnerFirmwareMinor;
    bool loaderMode = false;   // the handshake answers 0xF0: not running its application
    int latencyMs = 1;         // per report, like a full-speed USB interrupt interval
    int dropReply = 0;         // the Nth reply (1-based) never arrives; 0 = none
    int corruptReply = 0;      // the Nth reply carries a wrong checksum; 0 = none
    bool splitReplies = false; // every reply straddles two reports
    int pingMs = 0;            // an unsolicited MCU_PING report every N ms; 0 = none
};

} // namespace dravo::sim
