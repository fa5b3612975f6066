#pragma once
// One operation per device setting or query. Each builds its Request and
// hands it to the link through the three hooks below; the link decides how
// it reaches the wire. Kept apart from DeviceLink so the byte layouts can be
// checked without a device.
#include "Request.h"

#include <cstdint>

namespace dravo {

class DeviceRequests {
public:
    virtual ~DeviceRequests() = default;

    // (The encoder operations are declared here.)

protected:
    // A setter: with `immediate`, sent on the calling thread and answered
    // within `readTimeoutMs`; otherwise queued for the command worker (and
    // dropped while the request path is closed).
    virtual void submit(const Request& request, bool immediate, std::uint32_t readTimeoutMs) = 0;
    // A query or an always-immediate request: send now, then read. Returns
    // whether a report arrived.
    virtual bool sendAndRead(const Request& request, std::uint32_t readTimeoutMs) = 0;
    // A notice that expects no answer.
    virtual bool sendOnly(const Request& request) = 0;
};

} // namespace dravo
