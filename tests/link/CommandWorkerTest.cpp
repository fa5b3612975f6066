#include "LinkFixture.h"

#include "CommandCodes.h"

using namespace dravo;
using namespace dravo::test;

namespace {

class CommandWorker : public LinkTest {
protected:
    // The device acknowledges every request with its sub-command and first
    // data byte, so each answer names the request it belongs to.
    void answerEveryRequest()
    {
        device->answer = [](const Bytes& report) {
            return std::vector<Bytes>{packetBytes(CMD_DSP, report[5], OP_ACK, {report[7]})};
        };
    }
};

TEST_F(CommandWorker, QueuedRequestIsDroppedWhileThePathIsClosed)
{
    connect();
    ASSERT_TRUE(eventually([&] { return link->QueueIdle(); }));

    link->submit(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {1}), false, kDefaultReplyTimeoutMs);
    EXPECT_TRUE(link->QueueIdle());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(device->writtenCopy().empty());

    // An immediate request does not go through the path.
    link->submit(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {1}), true, 50);
    EXPECT_EQ(device->writtenCopy().size(), 1u);
}

TEST_F(CommandWorker, TenQueuedRequestsGoOutInOrderEachAfterThePreviousAnswer)
{
    connect();
    answerEveryRequest();
    link->EnableCmdCtrl();
    for (std::uint8_t i = 0; i < 10; ++i)
        link->submit(makeRequest(CMD_DSP, DSP_TRIM_CH, OP_SET, {i, 0x55}), false, kDefaultReplyTimeoutMs);

    ASSERT_TRUE(eventually([&] { return seenPackets().size() == 10; }));
    std::vector<Bytes> written = device->writtenCopy();
    ASSERT_EQ(written.size(), 10u);
    for (std::size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written[i][5], DSP_TRIM_CH);
        EXPECT_EQ(written[i][7], i);
        EXPECT_EQ(written[i][8], 0x55);
        // Every earlier answer had been read before this request went out.
        EXPECT_EQ(device->readsBeforeWrite[i], i);
    }
    const auto answers = seenPackets();
    for (std::size_t i = 0; i < answers.size(); ++i)
        EXPECT_EQ(answers[i].data, Bytes{static_cast<std::uint8_t>(i)});
}

TEST_F(CommandWorker, QueueTurnsIdleOnlyAfterTheLastAnswer)
{
    connect();
    link->EnableCmdCtrl();
    link->submit(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {1}), false, kDefaultReplyTimeoutMs);
    EXPECT_FALSE(link->QueueIdle());

    ASSERT_TRUE(device->waitFor([&] { return device->written.size() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(link->QueueIdle()); // sent, but the answer is still out

    device->push(packetBytes(CMD_DSP, DSP_MUTE, OP_ACK, {1}));
    EXPECT_TRUE(eventually([&] { return link->QueueIdle(); }, std::chrono::seconds(1)));
}

TEST_F(CommandWorker, DestructionDropsQueuedRequestsWithoutSendingThem)
{
    connect();
    link->EnableCmdCtrl();
    device->holdWrites = true;
    for (std::uint8_t i = 0; i < 4; ++i)
        link->submit(makeRequest(CMD_DSP, DSP_MUTE, OP_SET, {i}), false, kDefaultReplyTimeoutMs);
    // The first is stuck in the device; three wait behind it.
    ASSERT_TRUE(device->waitFor([&] { return device->writeCalls == 1; }));

    const auto start = Clock::now();
    link.reset();
    EXPECT_LT(secondsSince(start), 2.0);
    EXPECT_EQ(device->writeCalls, 1);
    EXPECT_TRUE(device->writtenCopy().empty());
}

} // namespace
