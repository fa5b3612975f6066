#include "LinkFixture.h"

#include "CommandCodes.h"
#include "Log.h"
#include "MessageIds.h"

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

using namespace dravo;
using namespace dravo::test;

namespace {

// How many of the four string requests fail, and whether the open holds.
struct OpenCase {
    int failedStrings;
    bool connected;
    friend std::ostream& operator<<(std::ostream& os, const OpenCase& c)
    {
        return os << c.failedStrings << " failed";
    }
};

class OpenRule : public LinkTest, public testing::WithParamInterface<OpenCase> {};

TEST_P(OpenRule, ThreeFailedStringReadsCloseTheDevice)
{
    const OpenCase c = GetParam();
    std::optional<std::string>* answers[] = {&device->manufacturer, &device->product, &device->serial,
                                             &device->indexed};
    for (int i = 0; i < c.failedStrings; ++i)
        answers[i]->reset();

    link->OpenHIDDevice("/dev/hidraw-fake");

    EXPECT_EQ(link->IsConnected(), c.connected);
    EXPECT_EQ(device->closeCalls, c.connected ? 0 : 1);
    EXPECT_EQ(device->nonblocking, c.connected);
    EXPECT_EQ(link->LastOpenError().error, c.connected ? OpenError::None : OpenError::Failed);
}

INSTANTIATE_TEST_SUITE_P(StringReads, OpenRule,
                         testing::Values(OpenCase{0, true}, OpenCase{2, true}, OpenCase{3, false},
                                         OpenCase{4, false}));

TEST_F(LinkTest, EmptyPathOpensTheFirstAmplifierAndAPathOpensThatDevice)
{
    link->OpenHIDDevice("");
    EXPECT_TRUE(backend->openedFirst);
    EXPECT_TRUE(backend->openedPath.empty());
    link->CloseHIDDevice(false);

    backend->openedFirst = false;
    link->OpenHIDDevice("/dev/hidraw7");
    EXPECT_FALSE(backend->openedFirst);
    EXPECT_EQ(backend->openedPath, "/dev/hidraw7");
    EXPECT_TRUE(link->IsConnected());
}

TEST_F(LinkTest, FailedOpenKeepsTheBackendsReasonForTheUser)
{
    backend->failure = OpenResult{nullptr, OpenError::PermissionDenied, "no access to /dev/hidraw3: install the udev rule"};
    link->OpenHIDDevice("/dev/hidraw3");
    EXPECT_FALSE(link->IsConnected());
    EXPECT_EQ(link->LastOpenError().error, OpenError::PermissionDenied);
    EXPECT_EQ(link->LastOpenError().message, "no access to /dev/hidraw3: install the udev rule");

    // A later successful open clears it.
    backend->failure.reset();
    link->OpenHIDDevice("/dev/hidraw3");
    EXPECT_EQ(link->LastOpenError().error, OpenError::None);
}

TEST_F(LinkTest, CloseAnnouncesTheDisconnectOnlyWhenAsked)
{
    for (const bool announce : {false, true}) {
        SCOPED_TRACE(announce);
        connect();
        const std::size_t before = device->writtenCopy().size();
        link->CloseHIDDevice(announce);
        EXPECT_FALSE(link->IsConnected());
        const auto written = device->writtenCopy();
        ASSERT_EQ(written.size(), before + (announce ? 1 : 0));
        if (announce) {
            Bytes expected(65, 0);
            const Bytes notice = {0x00, 0xAA, 0x55, 0x04, 0x03, 0x1F, 0xBB, 0x00, 0x1F};
            std::copy(notice.begin(), notice.end(), expected.begin());
            EXPECT_EQ(written.back(), expected);
        }
    }
}

TEST_F(LinkTest, RequestLongerThanOneReportIsNotSent)
{
    connect();
    const Bytes data(58, 1);
    EXPECT_FALSE(link->SendCtrlCommand(CMD_DSP, DSP_EQ_CH, OP_SET, data.data(), 58));
    EXPECT_TRUE(link->SendCtrlCommand(CMD_DSP, DSP_EQ_CH, OP_SET, data.data(), 57));
    EXPECT_EQ(device->writtenCopy().size(), 1u);
}

TEST_F(LinkTest, ReadThatTimesOutReturnsFalseAndDispatchesNothing)
{
    connect();
    std::uint8_t buffer[64];
    EXPECT_FALSE(link->ReadHIDData(buffer, 50));
    EXPECT_EQ(link->LastReadLength(), 0);
    EXPECT_TRUE(seenPackets().empty());
}

TEST_F(LinkTest, HalfAPacketIsKeptUntilTheRestArrives)
{
    connect();
    const Bytes packet = packetBytes(CMD_DSP, DSP_VOLUME, OP_UPDATE, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    // The packet starts near the end of one report and ends in the next.
    Bytes first(54, 0);
    first.insert(first.end(), packet.begin(), packet.begin() + 10);
    device->push(first);
    device->push(Bytes(packet.begin() + 10, packet.end()));

    std::uint8_t buffer[64];
    EXPECT_TRUE(link->ReadHIDData(buffer, 1000));
    EXPECT_TRUE(seenPackets().empty());

    EXPECT_TRUE(link->ReadHIDData(buffer, 1000));
    const auto packets = seenPackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].subcmd, DSP_VOLUME);
    EXPECT_EQ(packets[0].data, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(LinkTest, ReadWithoutDeviceFailsAtOnce)
{
    std::uint8_t buffer[64];
    const auto start = Clock::now();
    EXPECT_FALSE(link->ReadHIDData(buffer, 10000));
    EXPECT_LT(secondsSince(start), 2.0);
}

TEST_F(LinkTest, PulledOutDeviceEndsTheReadAtItsTimeOutWithoutSpinning)
{
    connect();
    device->pulledOut = true;
    std::uint8_t buffer[64];
    const auto start = Clock::now();
    EXPECT_FALSE(link->ReadHIDData(buffer, 300));
    const double took = secondsSince(start);
    EXPECT_GE(took, 0.29);
    EXPECT_LT(took, 3.0);
    // About one try per millisecond; a spinning loop makes many thousands.
    EXPECT_LT(device->readCalls.load(), 1000);
}

TEST_F(LinkTest, CloseWhileAnotherThreadIsBlockedInAReadReturnsPromptly)
{
    connect();
    std::promise<bool> readResult;
    std::thread reader([&] {
        std::uint8_t buffer[64];
        readResult.set_value(link->ReadHIDData(buffer, 10000));
    });
    ASSERT_TRUE(eventually([&] { return device->readCalls.load() > 0; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));

    const auto start = Clock::now();
    link->CloseHIDDevice(false);
    EXPECT_LT(secondsSince(start), 2.0);
    auto result = readResult.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(2)), std::future_status::ready);
    EXPECT_FALSE(result.get());
    reader.join();
    EXPECT_FALSE(link->IsConnected());
}

struct RecordingSink : MessageSink {
    void post(Message message) override
    {
        std::lock_guard lock(mutex);
        ids.push_back(message.id);
        values.push_back(message.lParam);
    }
    std::mutex mutex;
    std::vector<std::uint32_t> ids;
    std::vector<std::int64_t> values;
};

TEST_F(LinkTest, DecodedRepliesReachTheirTargetAndAreDroppedWithoutOne)
{
    RecordingSink main, scene;
    link->SetTarget(Target::Main, &main);
    link->SetTarget(Target::Scene, &scene);
    connect();
    std::uint8_t buffer[64];

    // The current scene number goes to the scene window only.
    device->push(packetBytes(CMD_FLASH, FLASH_SCENE_ID, OP_UPDATE, {3}));
    ASSERT_TRUE(link->ReadHIDData(buffer, 1000));
    EXPECT_EQ(scene.ids, std::vector<std::uint32_t>{WM_SCENE_ID});
    EXPECT_EQ(scene.values, std::vector<std::int64_t>{3});
    EXPECT_TRUE(main.ids.empty());

    link->SetTarget(Target::Scene, nullptr);
    device->push(packetBytes(CMD_FLASH, FLASH_SCENE_ID, OP_UPDATE, {4}));
    ASSERT_TRUE(link->ReadHIDData(buffer, 1000));
    EXPECT_EQ(scene.ids.size(), 1u);
    EXPECT_TRUE(main.ids.empty());
    EXPECT_EQ(seenPackets().size(), 2u);
}

class LogCapture : public LinkTest {
protected:
    ~LogCapture() override
    {
        LogShutdown();
        std::filesystem::remove(file);
    }
    void start() { ASSERT_TRUE(LogOpen(file)); }
    std::string text()
    {
        LogShutdown();
        std::ifstream in(file);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("dravo-link-log-" + std::to_string(::getpid()) + ".log");
};

TEST_F(LogCapture, StuckWriteTurnGivesUpAfterTwoSecondsWithoutWriting)
{
    connect();
    start();
    device->holdWrites = true;
    std::thread holder([&] { link->sendOnly(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {1})); });
    ASSERT_TRUE(device->waitFor([&] { return device->writeCalls == 1; }));

    const auto begin = Clock::now();
    EXPECT_FALSE(link->sendOnly(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {0})));
    const double waited = secondsSince(begin);
    EXPECT_GE(waited, 2.0);
    EXPECT_LT(waited, 5.0);
    EXPECT_EQ(device->writeCalls, 1);

    device->releaseWrites();
    holder.join();
    const auto written = device->writtenCopy();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0][7], 1); // the holder's request, not the one that gave up
    EXPECT_NE(text().find("time out, break out send cmd!\n"), std::string::npos);
}

TEST_F(LinkTest, SenderWaitingForTheTurnGivesUpWhenTheDeviceCloses)
{
    connect();
    device->holdWrites = true;
    std::thread holder([&] { link->sendOnly(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {1})); });
    ASSERT_TRUE(device->waitFor([&] { return device->writeCalls == 1; }));
    std::promise<bool> waiterResult;
    std::thread waiter([&] { waiterResult.set_value(link->sendOnly(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {0}))); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

    const auto start = Clock::now();
    link->CloseHIDDevice(false);
    auto result = waiterResult.get_future();
    ASSERT_EQ(result.wait_for(std::chrono::milliseconds(1500)), std::future_status::ready);
    EXPECT_LT(secondsSince(start), 1.5);
    EXPECT_FALSE(result.get());
    waiter.join();
    holder.join();
    EXPECT_TRUE(device->writtenCopy().empty());
}

} // namespace
