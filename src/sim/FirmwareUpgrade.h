#pragma once
// The device side of a firmware upgrade: enter the loader, accept the
// image's HEAD bytes, take the blocks and keep them at their offsets, finish.
// Requests out of order are refused with ACK_NOT_READY.
#include "CommandContext.h"

namespace dravo::sim {

bool enterControllerUpgrade(CommandContext& ctx, const Request& r);
bool enterBootloaderUpgrade(CommandContext& ctx, const Request& r);
bool startControllerUpgrade(CommandContext& ctx, const Request& r);
bool startBootloaderUpgrade(CommandContext& ctx, const Request& r);
bool startDspUpgrade(CommandContext& ctx, const Request& r);
bool receiveControllerBlock(CommandContext& ctx, const Request& r); // also the bootloader's
bool receiveDspBlock(CommandContext& ctx, const Request& r);
bool finishControllerUpgrade(CommandContext& ctx, const Request& r);
bool finishBootloaderUpgrade(CommandContext& ctx, const Request& r);
bool finishDspUpgrade(CommandContext& ctx, const Request& r);
bool eraseDspFlash(CommandContext& ctx, const Request& r);
bool reboot(CommandContext& ctx, const Request& r);

} // namespace dravo::sim
