#pragma once
// Lets a connection be closed while other threads are inside its calls:
// closing refuses new calls, and the closer waits for the admitted ones to
// leave before it releases what they use.
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace dravo {

class CallGate {
public:
    // Holds the gate open for one call; false when the gate is closing.
    class Pass {
    public:
        explicit Pass(CallGate& gate) : gate_(gate), admitted_(gate.enter()) {}
        ~Pass() {
            if (admitted_)
                gate_.leave();
        }
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        explicit operator bool() const { return admitted_; }

    private:
        CallGate& gate_;
        bool admitted_;
    };

    // Admitted calls poll this between waits so that they leave promptly.
    bool closing() const { return closing_.load(std::memory_order_acquire); }

    // Refuses every later call.
    void shut();

    // Returns once no admitted call is left.
    void waitIdle();

private:
    bool enter();
    void leave();

    std::mutex mutex_;
    std::condition_variable idle_;
    int inFlight_ = 0;
    std::atomic<bool> closing_{false};
};

} // namespace dravo
