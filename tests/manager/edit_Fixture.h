#pragma once
// The manager fixture with the request path open and short ways to reach the
// editing rules, the page and the simulator's view of what arrived.
#include "CommandCodes.h"
#include "EditingRules.h"
#include "ManagerFixture.h"

namespace dravo::test {

class EditFixture : public ManagerFixture {
protected:
    void SetUp() override { openDirectly(); }

    EditingRules& edit() { return manager->editing(); }
    SenceConfig& live() { return manager->live(); }
    ChannelConfig& ch(int c) { return live().channels[static_cast<std::size_t>(c)]; }
    EqBand& band(int c, int b) { return live().bands[static_cast<std::size_t>(c)][static_cast<std::size_t>(b)]; }
    MemoryControl& at(const std::string& name) { return page.at(name); }
    MemoryControl& at(const char* format, int i)
    {
        char name[64];
        std::snprintf(name, sizeof name, format, i);
        return page.at(name);
    }

    // What the amplifier now plays, once the queue has drained.
    sim::ChannelState played(int c)
    {
        settle();
        return amp->state().live.channels[static_cast<std::size_t>(c)];
    }

    // Outputs named by the level requests that arrived, in order.
    std::vector<int> trimmedOutputs()
    {
        settle();
        std::vector<int> outputs;
        for (const auto& r : received(DSP_TRIM_CH))
            outputs.push_back(r.data.at(2));
        return outputs;
    }

    void clearReceived()
    {
        settle();
        amp->clearReceivedRequests();
    }
};

} // namespace dravo::test
