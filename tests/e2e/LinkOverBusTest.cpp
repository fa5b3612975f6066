// The whole device path as a real session uses it: DeviceLink over the
// virtual HID bus, talking to the simulated amplifier served on a socket.
#include "BusBackend.h"
#include "BusServer.h"
#include "CommandCodes.h"
#include "DeviceLink.h"
#include "MessageIds.h"
#include "Records.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace dravo;
using namespace std::chrono_literals;

namespace {

class CollectingSink final : public MessageSink {
public:
    void post(Message message) override
    {
        std::lock_guard lock(mMutex);
        mMessages.push_back(std::move(message));
    }
    std::vector<Message> take()
    {
        std::lock_guard lock(mMutex);
        return std::exchange(mMessages, {});
    }

private:
    std::mutex mMutex;
    std::vector<Message> mMessages;
};

template <typename R>
std::vector<const R*> recordsOf(const std::vector<Message>& messages, std::uint32_t id, std::int64_t wParam)
{
    std::vector<const R*> out;
    for (const Message& m : messages)
        if (m.id == id && m.wParam == wParam)
            if (auto* r = dynamic_cast<const R*>(m.record.get()))
                out.push_back(r);
    return out;
}

class LinkOverBus : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("dravo-e2e-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        startServer();
        link = std::make_unique<DeviceLink>(std::make_unique<BusBackend>(dir));
        link->SetTarget(Target::Main, &sink);
        link->SetTarget(Target::Scene, &sink);
    }

    void TearDown() override
    {
        link.reset();
        stopServer();
        fs::remove_all(dir);
    }

    void startServer()
    {
        stop = false;
        std::promise<void> ready;
        auto readyFuture = ready.get_future();
        sim::BusServerOptions options;
        options.strings = sim::defaultDeviceStrings("amp1");
        options.onReady = [&ready](const fs::path&) { ready.set_value(); };
        server = std::thread([this, options] { sim::runBusServer(dir, "amp1", options, stop); });
        ASSERT_EQ(readyFuture.wait_for(5s), std::future_status::ready);
    }

    void stopServer()
    {
        stop = true;
        if (server.joinable())
            server.join();
    }

    fs::path dir;
    std::atomic<bool> stop{false};
    std::thread server;
    CollectingSink sink;
    std::unique_ptr<DeviceLink> link;
};

TEST_F(LinkOverBus, ConnectTimeQuerySeries)
{
    link->UpdateDeviceList();
    ASSERT_EQ(link->Devices().Rows().size(), 1u);
    EXPECT_EQ(link->Devices().Rows()[0].displayName, "SIM-amp1");
    EXPECT_EQ(link->Devices().Rows()[0].path, (dir / "amp1.sock").string());

    link->OpenHIDDevice(link->Devices().Rows()[0].path);
    ASSERT_TRUE(link->IsConnected());
    link->PC_Connect(1);
    ASSERT_TRUE(link->Hand_Connect());
    auto messages = sink.take();
    auto handshake = recordsOf<HandshakeRecord>(messages, WM_READ_MCU_VALUE, MCU_HANDSHAKE);
    ASSERT_EQ(handshake.size(), 1u);
    EXPECT_EQ(handshake[0]->model, 96);
    EXPECT_EQ(handshake[0]->master, 1);
    EXPECT_EQ(handshake[0]->slave, 33);
    EXPECT_EQ(link->State().mcuIsNormalMode.load(), 1);

    // An immediate write, then the queries read it back through the decoders.
    link->EQ_Ctrl(0, 0, 2, 5, 1000, 1.414f, -3.0f, 1, true);
    const float attenuation[] = {3.5f, 0.0f, 12.25f};
    link->Trim_Ctrl(0, 0, 2, 4, attenuation, true);
    sink.take();

    ASSERT_TRUE(link->Get_EQ(0, 0, 2, 0, 6));
    ASSERT_TRUE(link->Get_Trim(0, 0, 0, 11));
    ASSERT_TRUE(link->Get_Scene_Valid());
    messages = sink.take();

    auto bands = recordsOf<BandRecord>(messages, WM_DSP_VALUE, DSP_EQ_CH);
    ASSERT_EQ(bands.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(bands[static_cast<std::size_t>(i)]->band, i);
    EXPECT_EQ(bands[5]->frequency, 1000);
    EXPECT_NEAR(bands[5]->q, 1.414, 1e-6);
    EXPECT_NEAR(bands[5]->gain, -3.0, 1e-6);
    EXPECT_EQ(bands[5]->type, 1);

    auto trims = recordsOf<ChannelFloatRecord>(messages, WM_DSP_VALUE, DSP_TRIM_CH);
    ASSERT_EQ(trims.size(), 12u);
    EXPECT_FLOAT_EQ(trims[2]->value, -3.5f);
    EXPECT_FLOAT_EQ(trims[3]->value, 0.0f);
    EXPECT_FLOAT_EQ(trims[4]->value, -12.25f);

    EXPECT_EQ(recordsOf<SceneValidRecord>(messages, WM_SCENE_VALUE, FLASH_SCENE_VALID).size(), 1u);
}

TEST_F(LinkOverBus, QueuedSettersReachTheDeviceInOrder)
{
    link->OpenHIDDevice("");
    ASSERT_TRUE(link->IsConnected());
    link->EnableCmdCtrl();
    for (int i = 0; i < 10; ++i) {
        const int mute[] = {i % 2};
        link->Mute_Ch_Ctrl(0, 0, i, i, mute, false);
    }
    for (int i = 0; i < 200 && !link->QueueIdle(); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(link->QueueIdle());
    sink.take();

    ASSERT_TRUE(link->Get_Mute_Ch(0, 0, 0, 11));
    auto mutes = recordsOf<ChannelIntRecord>(sink.take(), WM_DSP_VALUE, DSP_MUTE_CH);
    ASSERT_EQ(mutes.size(), 12u);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(mutes[static_cast<std::size_t>(i)]->value, i % 2) << "output " << i;
}

TEST_F(LinkOverBus, PullingTheDeviceOutEndsAWaitingRead)
{
    // As the window does: a removal reported by hot-plug closes the link,
    // which ends a read that is waiting for its answer.
    auto watch = link->WatchDevices([this](const HotplugEvent& event) {
        if (!event.arrived)
            link->CloseHIDDevice(false);
    });
    ASSERT_NE(watch, nullptr);
    link->OpenHIDDevice("");
    ASSERT_TRUE(link->IsConnected());
    stopServer();

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->Get_Main_Volume());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s); // not the 10 s reply time-out
    EXPECT_FALSE(link->IsConnected());

    link->UpdateDeviceList();
    EXPECT_TRUE(link->Devices().Rows().empty());
}

} // namespace
