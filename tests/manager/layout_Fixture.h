#pragma once
// The manager fixture with short ways to the layout rules and to the bytes
// the simulated amplifier received.
#include "ManagerFixture.h"

#include "CommandCodes.h"
#include "LayoutRules.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dravo::test {

using Bytes = std::vector<std::uint8_t>;

class LayoutFixture : public ManagerFixture {
protected:
    LayoutRules& layout() { return manager->layout(); }
    SenceConfig& live() { return manager->live(); }
    MemoryControl& at(const std::string& name) { return page.at(name); }
    MemoryControl& at(const char* format, int i)
    {
        char name[64];
        std::snprintf(name, sizeof name, format, i);
        return page.at(name);
    }

    // Payloads of every request with this DSP sub-command, in arrival order.
    std::vector<Bytes> payloads(std::uint8_t subcmd)
    {
        std::vector<Bytes> out;
        for (const auto& r : received(subcmd))
            out.push_back(r.data);
        return out;
    }

    // Every output without a role, then the given (output, role) pairs.
    void setRoles(std::initializer_list<std::pair<int, int>> roles)
    {
        live().outputs.fill(0);
        for (auto [output, role] : roles)
            live().outputs[output] = role;
        live().outputs_bk = live().outputs;
    }

    static Bytes linkPayload(int link, const std::vector<std::pair<int, int>>& pairs)
    {
        Bytes bytes{0, static_cast<std::uint8_t>(link), static_cast<std::uint8_t>(pairs.size())};
        for (auto [from, to] : pairs) {
            bytes.push_back(static_cast<std::uint8_t>(from));
            bytes.push_back(static_cast<std::uint8_t>(to));
        }
        return bytes;
    }
};

} // namespace dravo::test
