#pragma once
// An eventfd that a poll loop watches beside its real descriptor, so that
// another thread can interrupt the wait at once (closing, stopping, rescan).
namespace dravo {

class WakeEvent {
public:
    WakeEvent();
    ~WakeEvent();
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    // Makes the descriptor readable until clear().
    void signal();
    void clear();

private:
    int fd_;
};

} // namespace dravo
