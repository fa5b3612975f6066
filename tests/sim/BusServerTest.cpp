// The virtual-bus server, talked to over its socket as a host would.
#include "BusServer.h"
#include "SimTestSupport.h"

#include <cjson/cJSON.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace dravo::sim::test {
namespace {

namespace fs = std::filesystem;

class Socket {
public:
    explicit Socket(const fs::path& path)
    {
        mFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        if (::connect(mFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(mFd);
            mFd = -1;
        }
    }
    ~Socket() { close(); }
    void close()
    {
        if (mFd >= 0)
            ::close(mFd);
        mFd = -1;
    }
    bool ok() const { return mFd >= 0; }

    bool send(std::uint8_t cmd, std::uint8_t sub, std::uint8_t op, const Bytes& data = {})
    {
        const OutputReport report = buildOutputReport(cmd, sub, op, data.data(), data.size());
        return ::send(mFd, report.data(), report.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(report.size());
    }

    // One 64-byte report; empty on time-out, or when the device hung up.
    Bytes receive(int timeoutMs = 2000)
    {
        Bytes report;
        std::uint8_t buffer[64];
        while (report.size() < 64) {
            pollfd p{mFd, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0)
                return {};
            const ssize_t n = ::recv(mFd, buffer, 64 - report.size(), 0);
            if (n <= 0)
                return {};
            report.insert(report.end(), buffer, buffer + n);
        }
        return report;
    }

    bool hungUp(int timeoutMs = 2000)
    {
        pollfd p{mFd, POLLIN, 0};
        std::uint8_t byte;
        return ::poll(&p, 1, timeoutMs) == 1 && ::recv(mFd, &byte, 1, 0) == 0;
    }

private:
    int mFd = -1;
};

class BusServer : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("dravo-sim-test-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        options.sim = instantOptions();
        options.strings = defaultDeviceStrings("amp1");
        options.strings.indexedString1.reset();
        options.amplifier = amp;
        std::promise<fs::path> ready;
        auto readyPath = ready.get_future();
        options.onReady = [&ready](const fs::path& path) { ready.set_value(path); };
        server = std::async(std::launch::async, [this] { return runBusServer(dir, "amp1", options, stop); });
        ASSERT_EQ(readyPath.wait_for(std::chrono::seconds(5)), std::future_status::ready);
        socketPath = readyPath.get();
    }
    void TearDown() override
    {
        stop = true;
        if (server.valid())
            server.wait();
        fs::remove_all(dir);
    }

    fs::path dir;
    fs::path socketPath;
    std::shared_ptr<SimulatedAmplifier> amp = std::make_shared<SimulatedAmplifier>(instantOptions());
    BusServerOptions options;
    std::atomic<bool> stop{false};
    std::future<int> server;
};

TEST_F(BusServer, PublishesSocketAndIdentity)
{
    EXPECT_EQ(socketPath, dir / "amp1.sock");
    EXPECT_TRUE(fs::is_socket(socketPath));
    std::ifstream in(dir / "amp1.json");
    std::stringstream text;
    text << in.rdbuf();
    cJSON* json = cJSON_Parse(text.str().c_str());
    ASSERT_TRUE(json);
    EXPECT_EQ(cJSON_GetObjectItem(json, "vendor_id")->valueint, 1155);
    EXPECT_EQ(cJSON_GetObjectItem(json, "product_id")->valueint, 22352);
    EXPECT_STREQ(cJSON_GetObjectItem(json, "serial_number")->valuestring, "SIM-amp1");
    EXPECT_STREQ(cJSON_GetObjectItem(json, "product")->valuestring, "DRAVO-8.12");
    EXPECT_TRUE(cJSON_GetObjectItem(json, "manufacturer"));
    EXPECT_FALSE(cJSON_GetObjectItem(json, "indexed_string_1")) << "an absent string has no key";
    cJSON_Delete(json);
}

TEST_F(BusServer, AnswersReportsOverTheSocket)
{
    Socket host(socketPath);
    ASSERT_TRUE(host.ok());
    ASSERT_TRUE(host.send(CMD_MCU, MCU_HANDSHAKE, OP_SET));
    Bytes handshake = {0xAA, 0x55, 0x07, 0x03, 0x08, 0xDD, 0x01, 0x60, 0x01, 0x21, 0x8E};
    handshake.resize(64);
    EXPECT_EQ(host.receive(), handshake);
}

TEST_F(BusServer, ServesOneHostAtATimeAndKeepsStateBetweenThem)
{
    Socket first(socketPath);
    ASSERT_TRUE(first.send(CMD_DSP, DSP_VOLUME, OP_SET, {30}));
    ASSERT_FALSE(first.receive().empty());

    Socket second(socketPath);
    ASSERT_TRUE(second.ok());
    ASSERT_TRUE(second.send(CMD_DSP, DSP_VOLUME, OP_GET));
    EXPECT_TRUE(second.receive(200).empty()) << "waits while the first host is connected";

    first.close();
    EXPECT_EQ(parse({second.receive()}), (std::vector<Packet>{update(CMD_DSP, DSP_VOLUME, {0xE8})}));
    EXPECT_EQ(amp->receivedRequests().size(), 2u);
}

TEST_F(BusServer, StoppingPullsTheDeviceOutAndRemovesItsFiles)
{
    Socket host(socketPath);
    ASSERT_TRUE(host.send(CMD_MCU, MCU_HANDSHAKE, OP_SET));
    ASSERT_FALSE(host.receive().empty());

    stop = true;
    ASSERT_EQ(server.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(server.get(), 0);
    EXPECT_TRUE(host.hungUp());
    EXPECT_FALSE(fs::exists(dir / "amp1.sock"));
    EXPECT_FALSE(fs::exists(dir / "amp1.json"));
}

TEST(BusServerSetup, FailsWhenTheDirectoryIsMissing)
{
    std::atomic<bool> stop{true};
    BusServerOptions options;
    EXPECT_EQ(runBusServer("/nonexistent/dravo-bus", "amp1", options, stop), 1);
}

} // namespace
} // namespace dravo::sim::test
