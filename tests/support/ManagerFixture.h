#pragma once
// EqualizerManager on an in-memory main page, with a DeviceLink over one
// simulated amplifier ("sim:amp1", no USB latency) and the TestHost as its
// window. Tests read the page and what the simulator received.
#include "DeviceLink.h"
#include "EqualizerManager.h"
#include "MemoryPage.h"
#include "SimBackend.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace dravo::test {

class ManagerFixture : public testing::Test {
protected:
    ManagerFixture()
    {
        sim::SimOptions options;
        options.latencyMs = 0;
        amp = backend.attach("amp1", options);
        link = std::make_unique<DeviceLink>(backend.handle());
        page.addMainPageControls();
        manager = std::make_unique<EqualizerManager>(*link, host);
        host.attach(*manager);
        manager->Bind(page, host);
    }

    ~ManagerFixture() override
    {
        manager.reset();
        link.reset();
    }

    // Opens the simulated amplifier and opens the request path, without the
    // connect-time read (for tests of the editing rules).
    void openDirectly()
    {
        link->OpenHIDDevice(sim::SimBackend::pathOf("amp1"));
        ASSERT_TRUE(link->IsConnected());
        link->EnableCmdCtrl();
        amp->clearReceivedRequests();
    }

    // Waits until the command worker has sent everything queued and the
    // answers are in, then hands the decoded replies to the manager.
    void settle()
    {
        for (int i = 0; i < 500 && !link->QueueIdle(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        host.pump();
    }

    // Requests the simulator received with this sub-command (CMD_DSP unless said).
    std::vector<sim::ReceivedRequest> received(std::uint8_t subcmd, std::uint8_t cmd = 1)
    {
        std::vector<sim::ReceivedRequest> out;
        for (const auto& r : amp->receivedRequests())
            if (r.cmd == cmd && r.sub == subcmd)
                out.push_back(r);
        return out;
    }

    sim::SimBackend backend;
    std::shared_ptr<sim::SimulatedAmplifier> amp;
    std::unique_ptr<DeviceLink> link;
    MemoryPage page;
    TestHost host;
    std::unique_ptr<EqualizerManager> manager;
};

} // namespace dravo::test
