#pragma once
// Turns every checked packet from the amplifier into values and records and
// posts them to the window registered for them. It keeps no model of its own,
// only the few facts the link itself needs (handshake, model, upgrade state).
#include "MessageSink.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace dravo {

// Facts the decoders write and the connection and upgrade logic read on
// other threads.
struct LinkState {
    std::atomic<std::uint8_t> mcuIsNormalMode{0};   // mcu_is_normal_mode
    std::atomic<std::int32_t> reportedModel{0};
    std::atomic<std::uint8_t> bootloaderVersion{0};
    std::atomic<std::int32_t> sysUpgStatus{0};      // sys_upg_status
    std::atomic<std::uint16_t> upgradeStep{0};
};

// Delivers a message to the window registered as `target`; drops it when no
// window is registered.
using PostFunction = std::function<void(Target target, Message message)>;

class ReplyDecoder {
public:
    ReplyDecoder(LinkState& state, PostFunction post);

    // packet_process: `bytes` holds the sub-command, the op type and L - 3
    // data bytes. Dispatches by packet type; unknown types are ignored.
    // Nothing past those L - 1 bytes is read; a packet with L below 3 is
    // dropped. Records posted are described in Records.h.
    void packetProcess(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes);

private:
    LinkState& mState;
    PostFunction mPost;
    unsigned mDspReplyCount = 0;
};

} // namespace dravo
