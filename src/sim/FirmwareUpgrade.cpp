#include "FirmwareUpgrade.h"

#include "WireBytes.h"

#include <algorithm>

namespace dravo::sim {
namespace {

constexpr std::size_t kControllerBlockSize = 32;
constexpr std::size_t kMaxDspBlockSize = 50;
// No image of this amplifier is larger; a block beyond it is refused rather
// than growing the buffer without bound.
constexpr std::size_t kMaxImageSize = 2 * 1024 * 1024;

bool enter(CommandContext& ctx, const Request& r, UpgradeKind kind)
{
    UpgradeState& u = ctx.state.upgrade;
    u.inUpgradeMode = true;
    u.entered = kind;
    u.started = UpgradeKind::None;
    // The application hands over to the loader; a bootloader upgrade is
    // written by the application itself.
    if (kind == UpgradeKind::Controller)
        ctx.state.loaderMode = true;
    ctx.ack(r, ACK_READY);
    return true;
}

bool start(CommandContext& ctx, const Request& r, UpgradeKind kind, UpgradeKind needsEntered)
{
    if (r.data.size() < 4)
        return false;
    UpgradeState& u = ctx.state.upgrade;
    if (!u.inUpgradeMode || u.entered != needsEntered) {
        ctx.ack(r, ACK_NOT_READY);
        return true;
    }
    u.started = kind;
    std::copy_n(r.data.begin(), 4, u.head.begin());
    u.image.clear();
    u.blocks = 0;
    u.finished = false;
    if (kind == UpgradeKind::Controller)
        u.applicationIntact = false;
    ctx.ack(r, ACK_READY);
    return true;
}

bool store(CommandContext& ctx, const Request& r, std::uint32_t offset, const std::uint8_t* bytes, std::size_t n)
{
    UpgradeState& u = ctx.state.upgrade;
    if (offset > kMaxImageSize || n > kMaxImageSize - offset) {
        ctx.ack(r, ACK_NOT_READY);
        return true;
    }
    if (u.image.size() < offset + n)
        u.image.resize(offset + n);
    std::copy_n(bytes, n, u.image.begin() + offset);
    ++u.blocks;
    ctx.ack(r, ACK_READY);
    return true;
}

bool finish(CommandContext& ctx, const Request& r, UpgradeKind kind)
{
    UpgradeState& u = ctx.state.upgrade;
    if (u.started != kind || u.finished) {
        ctx.ack(r, ACK_NOT_READY);
        return true;
    }
    u.finished = true;
    if (kind == UpgradeKind::Dsp) {
        ctx.state.dspImage = u.image; // takes effect at the reboot the host asks for
    } else {
        ctx.state.controllerImage = u.image;
        // The new controller firmware starts at once.
        u.inUpgradeMode = false;
        if (kind == UpgradeKind::Controller) {
            u.applicationIntact = true;
            ctx.state.loaderMode = false;
        }
    }
    ctx.ack(r, ACK_READY);
    return true;
}

} // namespace

bool enterControllerUpgrade(CommandContext& ctx, const Request& r) { return enter(ctx, r, UpgradeKind::Controller); }
bool enterBootloaderUpgrade(CommandContext& ctx, const Request& r) { return enter(ctx, r, UpgradeKind::Bootloader); }

bool startControllerUpgrade(CommandContext& ctx, const Request& r)
{
    return start(ctx, r, UpgradeKind::Controller, UpgradeKind::Controller);
}
bool startBootloaderUpgrade(CommandContext& ctx, const Request& r)
{
    return start(ctx, r, UpgradeKind::Bootloader, UpgradeKind::Bootloader);
}
// The DSP image is written by the controller's loader, entered like a
// controller upgrade.
bool startDspUpgrade(CommandContext& ctx, const Request& r)
{
    return start(ctx, r, UpgradeKind::Dsp, UpgradeKind::Controller);
}

bool receiveControllerBlock(CommandContext& ctx, const Request& r)
{
    // offset u32, then 32 image bytes (zero-filled after a short last piece)
    if (r.data.size() < 4 + kControllerBlockSize)
        return false;
    const UpgradeKind kind = r.sub == MCU_BL_UPG_BLOCK ? UpgradeKind::Bootloader : UpgradeKind::Controller;
    if (ctx.state.upgrade.started != kind || ctx.state.upgrade.finished) {
        ctx.ack(r, ACK_NOT_READY);
        return true;
    }
    return store(ctx, r, getU32(r.data.data()), r.data.data() + 4, kControllerBlockSize);
}

bool receiveDspBlock(CommandContext& ctx, const Request& r)
{
    // offset u32, n, then n image bytes
    if (r.data.size() < 5)
        return false;
    const std::size_t n = r.data[4];
    if (n > kMaxDspBlockSize || r.data.size() < 5 + n)
        return false;
    if (ctx.state.upgrade.started != UpgradeKind::Dsp || ctx.state.upgrade.finished) {
        ctx.ack(r, ACK_NOT_READY);
        return true;
    }
    return store(ctx, r, getU32(r.data.data()), r.data.data() + 5, n);
}

bool finishControllerUpgrade(CommandContext& ctx, const Request& r) { return finish(ctx, r, UpgradeKind::Controller); }
bool finishBootloaderUpgrade(CommandContext& ctx, const Request& r) { return finish(ctx, r, UpgradeKind::Bootloader); }
bool finishDspUpgrade(CommandContext& ctx, const Request& r) { return finish(ctx, r, UpgradeKind::Dsp); }

bool eraseDspFlash(CommandContext& ctx, const Request& r)
{
    ctx.state.upgrade.erased = true;
    ctx.state.dspImage.clear();
    ctx.ack(r, ACK_READY);
    return true;
}

bool reboot(CommandContext& ctx, const Request& r)
{
    UpgradeState& u = ctx.state.upgrade;
    ++u.reboots;
    u.inUpgradeMode = false;
    u.entered = UpgradeKind::None;
    u.started = UpgradeKind::None;
    // Without a whole application the device can only come back in its loader.
    ctx.state.loaderMode = !u.applicationIntact;
    ctx.ack(r, ACK_READY);
    return true;
}

} // namespace dravo::sim
