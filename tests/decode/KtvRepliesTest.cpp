#include "DecoderFixture.h"

using namespace dravo;
using namespace dravo::test;

namespace {

using KtvReplies = DecoderTest;

TEST_F(KtvReplies, ItemValues)
{
    struct Case {
        const char* name;
        std::uint8_t item;
        std::uint8_t op;
        std::vector<std::uint8_t> data;
        bool posts;
        std::int64_t value;
    };
    const Case cases[] = {
        {"microphone volume", KTV_MIC_VOL, OP_UPDATE, {0xC8}, true, 200},
        {"echo delay is 16 bits", KTV_ECHO_DELAY, OP_UPDATE, {0x01, 0x02}, true, 258},
        {"bass gain sign-extended", KTV_BASS_GAIN, OP_UPDATE, {0xFE}, true, -2},
        {"treble gain sign-extended", KTV_TREBLE_GAIN, OP_UPDATE, {0x03}, true, 3},
        {"acknowledgement", KTV_MIC_VOL, OP_ACK, {0x0A}, false, 0},
        {"cut echo delay", KTV_ECHO_DELAY, OP_UPDATE, {0x01}, false, 0},
        {"unknown item", 11, OP_UPDATE, {1}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        feed(CMD_KTV, c.item, c.op, c.data);
        ASSERT_EQ(posted.size(), c.posts ? 1u : 0u);
        if (!c.posts)
            continue;
        EXPECT_EQ(posted[0].target, Target::Main);
        EXPECT_EQ(posted[0].message.id, WM_KTV_VALUE);
        EXPECT_EQ(posted[0].message.wParam, c.item);
        EXPECT_EQ(posted[0].message.lParam, c.value);
    }
}

TEST_F(KtvReplies, LogLineShowsOnlyBytesThePacketCarries)
{
    LogCapture log;
    feed(CMD_KTV, KTV_MIC_VOL, OP_UPDATE, {7});
    EXPECT_NE(log.text().find("KTV MIC VOL OP=0xdd, scene=7, src = 0, mic vol=0\n"), std::string::npos)
        << log.text();
}

} // namespace
