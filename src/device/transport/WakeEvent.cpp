#include "WakeEvent.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace dravo {

WakeEvent::WakeEvent() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeEvent::~WakeEvent() {
    if (fd_ >= 0)
        ::close(fd_);
}

void WakeEvent::signal() {
    const std::uint64_t one = 1;
    // Only fails when the counter is saturated, and then it is readable anyway.
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
}

void WakeEvent::clear() {
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t n = ::read(fd_, &count, sizeof count);
}

} // namespace dravo
