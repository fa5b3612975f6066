#include "BusConnection.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "Log.h"
#include "Packet.h"

namespace dravo {

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until `deadline` for poll(), -1 (no limit) without one.
int remainingMs(const std::optional<Clock::time_point>& deadline) {
    if (!deadline)
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}

std::optional<Clock::time_point> deadlineAfter(int timeoutMs) {
    if (timeoutMs < 0)
        return std::nullopt;
    return Clock::now() + std::chrono::milliseconds(timeoutMs);
}

} // namespace

BusConnection::BusConnection(int fd, BusDescriptor descriptor) : fd_(fd), descriptor_(std::move(descriptor)) {
    pending_.reserve(kInputReportSize);
}

BusConnection::~BusConnection() {
    close();
}

int BusConnection::fail(const std::string& error, bool peerGone) {
    if (peerGone)
        peerGone_ = true;
    std::lock_guard lock(errorMutex_);
    lastError_ = error;
    return -1;
}

BusConnection::Wait BusConnection::waitFor(short events, int timeoutMs) {
    pollfd fds[2] = {{fd_, events, 0}, {wake_.fd(), POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready < 0)
        return errno == EINTR ? Wait::Ready : Wait::Failed; // EINTR: the caller looks again
    if (fds[1].revents || gate_.closing())
        return Wait::Closing;
    return ready == 0 ? Wait::TimedOut : Wait::Ready;
}

int BusConnection::write(const std::uint8_t* report, std::size_t size) {
    CallGate::Pass pass(gate_);
    if (!pass)
        return fail("device closed");
    if (size == 0 || size > kOutputReportSize)
        return fail("an output report is 1.." + std::to_string(kOutputReportSize) + " bytes");
    std::lock_guard lock(writeMutex_);
    if (peerGone_)
        return fail("device pulled out");
    // Every report on the wire has the full length; a short one is padded
    // with zeros as the HID driver would.
    std::uint8_t frame[kOutputReportSize] = {};
    std::memcpy(frame, report, size);
    const auto deadline = deadlineAfter(kWriteTimeoutMs);
    std::size_t sent = 0;
    while (sent < sizeof frame) {
        const ssize_t n = ::send(fd_, frame + sent, sizeof frame - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            switch (waitFor(POLLOUT, remainingMs(deadline))) {
            case Wait::Ready:
                continue;
            case Wait::Closing:
                return fail("device closed", sent > 0);
            case Wait::TimedOut:
                return fail("write timed out", sent > 0);
            case Wait::Failed:
                return fail(std::string("poll: ") + std::strerror(errno), sent > 0);
            }
        }
        return fail(std::string("device pulled out (") + std::strerror(errno) + ")", true);
    }
    return static_cast<int>(size);
}

int BusConnection::read(std::uint8_t* buffer, std::size_t size, int timeoutMs) {
    CallGate::Pass pass(gate_);
    if (!pass)
        return fail("device closed");
    std::lock_guard lock(readMutex_);
    const auto deadline = deadlineAfter(timeoutMs);
    while (pending_.size() < kInputReportSize) {
        if (peerGone_)
            return fail("device pulled out");
        std::uint8_t piece[kInputReportSize];
        const ssize_t n = ::recv(fd_, piece, kInputReportSize - pending_.size(), 0);
        if (n > 0) {
            pending_.insert(pending_.end(), piece, piece + n);
            continue;
        }
        if (n == 0) {
            pending_.clear();
            return fail("device pulled out (connection closed)", true);
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            pending_.clear();
            return fail(std::string("device pulled out (") + std::strerror(errno) + ")", true);
        }
        if (deadline && Clock::now() >= *deadline)
            return 0;
        switch (waitFor(POLLIN, remainingMs(deadline))) {
        case Wait::Ready:
        case Wait::TimedOut: // the loop tries once more, then sees the deadline
            continue;
        case Wait::Closing:
            return fail("device closed");
        case Wait::Failed:
            return fail(std::string("poll: ") + std::strerror(errno));
        }
    }
    // As with hidraw, a buffer shorter than the report gets its start.
    const std::size_t count = std::min(size, pending_.size());
    std::memcpy(buffer, pending_.data(), count);
    pending_.clear();
    return static_cast<int>(count);
}

std::optional<std::string> BusConnection::deviceString(const std::optional<std::string>& value) {
    CallGate::Pass pass(gate_);
    if (!pass) {
        fail("device closed");
        return std::nullopt;
    }
    if (peerGone_) {
        fail("device pulled out");
        return std::nullopt;
    }
    if (!value)
        fail("string not available");
    return value;
}

std::optional<std::string> BusConnection::manufacturer() {
    return deviceString(descriptor_.manufacturer);
}

std::optional<std::string> BusConnection::product() {
    return deviceString(descriptor_.product);
}

std::optional<std::string> BusConnection::serialNumber() {
    return deviceString(descriptor_.serialNumber);
}

std::optional<std::string> BusConnection::indexedString(int index) {
    return deviceString(descriptor_.indexedString(index));
}

void BusConnection::setNonblocking(bool) {
    // Every read here carries its own time-out, so there is nothing to switch.
}

std::string BusConnection::lastError() {
    std::lock_guard lock(errorMutex_);
    return lastError_;
}

void BusConnection::close() {
    std::lock_guard lock(closeMutex_);
    if (fd_ < 0)
        return;
    gate_.shut();
    wake_.signal(); // stays signalled: every wait in flight or to come sees it
    gate_.waitIdle();
    ::close(fd_);
    fd_ = -1;
    LogWrite("bus device closed\n");
}

} // namespace dravo
