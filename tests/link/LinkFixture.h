#pragma once
// A DeviceLink over the fake backend, with its request hooks reachable and
// every dispatched packet recorded.
#include "DeviceLink.h"
#include "FakeHid.h"
#include "Packet.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <mutex>
#include <thread>

namespace dravo::test {

class TestLink : public DeviceLink {
public:
    using DeviceLink::DeviceLink;
    using DeviceLink::sendAndRead;
    using DeviceLink::sendOnly;
    using DeviceLink::submit;
};

inline Request makeRequest(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype,
                           std::initializer_list<std::uint8_t> data = {})
{
    Request request;
    request.cmd = cmd;
    request.subcmd = subcmd;
    request.optype = optype;
    for (const std::uint8_t byte : data)
        request.data[request.len++] = byte;
    return request;
}

// A packet as the device sends it, alone at the start of a report.
inline Bytes packetBytes(std::uint8_t cmd, std::uint8_t subcmd, std::uint8_t optype,
                         std::initializer_list<std::uint8_t> data = {})
{
    const Bytes payload(data);
    Bytes packet(payload.size() + 7);
    buildPacket(cmd, subcmd, optype, payload.data(), payload.size(), packet.data());
    return packet;
}

struct SeenPacket {
    std::uint8_t type;
    std::uint8_t subcmd;
    Bytes data;
};

class LinkTest : public testing::Test {
protected:
    LinkTest()
    {
        auto fake = std::make_unique<FakeBackend>(device);
        backend = fake.get();
        link = std::make_unique<TestLink>(std::move(fake));
        link->SetPacketObserver([this](std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes) {
            std::lock_guard lock(seenMutex);
            seen.push_back({type, bytes[0], Bytes(bytes + 2, bytes + L - 1)});
        });
    }

    void connect()
    {
        link->OpenHIDDevice("/dev/hidraw-fake");
        ASSERT_TRUE(link->IsConnected());
    }

    std::vector<SeenPacket> seenPackets()
    {
        std::lock_guard lock(seenMutex);
        return seen;
    }

    // Polls `pred` for up to `limit`; true as soon as it holds.
    template <typename Pred>
    static bool eventually(Pred pred, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!pred()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    std::shared_ptr<FakeDevice> device = std::make_shared<FakeDevice>();
    FakeBackend* backend = nullptr;
    std::unique_ptr<TestLink> link;
    std::mutex seenMutex;
    std::vector<SeenPacket> seen;
};

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace dravo::test
