#pragma once
// How results reach the user-interface thread: a decoder or a worker posts a
// Message to a target; the receiver owns whatever record rides along.
#include <cstdint>
#include <memory>

namespace dravo {

// The windows that register to receive device messages.
enum class Target : std::uint8_t { Main, Scene, Calibration, SmallDialog, Memory };
inline constexpr int kTargetCount = 5;

// Base of every record posted with a message. Receivers know the concrete
// type from the message id and wParam.
struct Record {
    virtual ~Record() = default;
};

struct Message {
    std::uint32_t id = 0;
    std::int64_t wParam = 0;
    std::int64_t lParam = 0;             // a plain value, when there is no record
    std::unique_ptr<Record> record;      // owned by the receiver
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Called from any thread; must hand the message to the receiver's thread.
    virtual void post(Message message) = 0;
};

} // namespace dravo
