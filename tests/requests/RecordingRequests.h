#pragma once
// A DeviceRequests whose hooks only record what the encoders hand them.
#include "DeviceRequests.h"

#include <cstdint>
#include <vector>

namespace dravo::test {

enum class Hook { Submit, SendAndRead, SendOnly };

struct Sent {
    Request request;
    Hook hook;
    bool immediate; // meaningful for Submit only
    std::uint32_t timeoutMs; // 0 for SendOnly

    std::vector<std::uint8_t> data() const { return {request.data.begin(), request.data.begin() + request.len}; }
};

class RecordingRequests : public DeviceRequests {
public:
    std::vector<Sent> sent;
    bool replyArrives = true;

protected:
    void submit(const Request& request, bool immediate, std::uint32_t readTimeoutMs) override
    {
        sent.push_back({request, Hook::Submit, immediate, readTimeoutMs});
    }
    bool sendAndRead(const Request& request, std::uint32_t readTimeoutMs) override
    {
        sent.push_back({request, Hook::SendAndRead, true, readTimeoutMs});
        return replyArrives;
    }
    bool sendOnly(const Request& request) override
    {
        sent.push_back({request, Hook::SendOnly, true, 0});
        return true;
    }
};

} // namespace dravo::test
