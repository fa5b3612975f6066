#include "CallGate.h"

namespace dravo {

bool CallGate::enter() {
    std::lock_guard lock(mutex_);
    if (closing_.load(std::memory_order_relaxed))
        return false;
    ++inFlight_;
    return true;
}

void CallGate::leave() {
    std::lock_guard lock(mutex_);
    if (--inFlight_ == 0)
        idle_.notify_all();
}

void CallGate::shut() {
    std::lock_guard lock(mutex_);
    closing_.store(true, std::memory_order_release);
}

void CallGate::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return inFlight_ == 0; });
}

} // namespace dravo
