#pragma once
// The manager fixture with what connecting needs around it: a device combo
// in memory, a private settings file and working directory, a page whose
// translations carry the placeholders of the real language tables, and
// helpers to start up as the main window does.
#include "CommandCodes.h"
#include "Connection.h"
#include "DeviceListView.h"
#include "ManagerFixture.h"
#include "MessageIds.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

namespace dravo::test {

// The in-memory page, with a few language texts that take values.
class TranslatingPage final : public Page {
public:
    explicit TranslatingPage(MemoryPage& page) : mPage(page) {}
    Control* find(const std::string& name) override { return mPage.find(name); }
    EqualizerView* equalizer() override { return mPage.equalizer(); }
    std::string text(const std::string& id) override
    {
        const auto it = texts.find(id);
        return it != texts.end() ? it->second : id;
    }
    int scale() const override { return mPage.scale(); }

    std::map<std::string, std::string> texts{{"${device_plugout}", "Device %s was unplugged"}};

private:
    MemoryPage& mPage;
};

class ConnectionFixture : public ManagerFixture {
protected:
    ConnectionFixture()
    {
        dir = std::filesystem::temp_directory_path() /
              ("dravo-connection-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        link->Devices().NicknameStorage().setFile(dir / "tavrel.ini");
        page.add("edit_device_name").setVisible(false);
        conn().SetWorkingDirectory(dir);
        conn().SetDeviceCombo(&combo);
        manager->Bind(translating, host);
    }

    ~ConnectionFixture() override
    {
        link->State().sysUpgStatus = 0;
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    Connection& conn() { return manager->connection(); }

    // Replaces the first amplifier by one with other options (before connecting).
    void replaceAmp(sim::SimOptions options)
    {
        options.latencyMs = 0;
        amp = backend.attach("amp1", options);
    }

    std::shared_ptr<sim::SimulatedAmplifier> attachSecond()
    {
        sim::SimOptions options;
        options.latencyMs = 0;
        return backend.attach("amp2", options);
    }

    void touch(const char* name) { std::ofstream(dir / name) << ""; }

    // What the main window does once its page is bound.
    void startUp()
    {
        conn().UpdateDeviceList();
        conn().SelectFirstDevice();
        conn().ConnectDevice(false);
        host.pump();
    }

    int postedCount(std::uint32_t id) const
    {
        return static_cast<int>(std::count(host.unhandled.begin(), host.unhandled.end(), id));
    }

    static std::vector<sim::ReceivedRequest> ofKind(const std::vector<sim::ReceivedRequest>& all, std::uint8_t cmd,
                                                    std::uint8_t sub)
    {
        std::vector<sim::ReceivedRequest> out;
        for (const auto& r : all)
            if (r.cmd == cmd && r.sub == sub)
                out.push_back(r);
        return out;
    }

    bool handshakeReceived(sim::SimulatedAmplifier& a) const
    {
        return !ofKind(a.receivedRequests(), CMD_MCU, MCU_HANDSHAKE).empty();
    }

    MemoryControl& button() { return page.at("btnConnect"); }

    std::filesystem::path dir;
    MemoryDeviceCombo combo;
    TranslatingPage translating{page};
};

} // namespace dravo::test
