#include "DecoderFixture.h"

using namespace dravo;
using namespace dravo::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

class FlashReplies : public DecoderTest {
protected:
    void flash(std::uint8_t sub, const Bytes& data, std::uint8_t op = OP_UPDATE)
    {
        feed(CMD_FLASH, sub, op, data);
    }
};

Bytes nameBytes(std::size_t at, std::uint8_t value)
{
    Bytes b(16, 0xFF);
    b[at] = value;
    return b;
}

TEST_F(FlashReplies, SceneNames)
{
    struct Case {
        const char* name;
        std::uint8_t wireIndex;
        Bytes bytes;
        std::array<char, 16> expected;
    };
    const Case cases[] = {
        {"erased flash gives an empty name", 1, Bytes(16, 0xFF), {}},
        {"0x41 among 0xFF also has its low bit set", 2, nameBytes(5, 0x41), {}},
        {"0x42 among 0xFF keeps the bytes", 3, nameBytes(0, 0x42),
         {'\x42', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF', '\xFF',
          '\xFF', '\xFF', '\xFF'}},
        {"ordinary name", 10, {'H', 'o', 'm', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {'H', 'o', 'm', 'e'}},
        {"name cut short by the packet", 4, {'C', 'a', 'r'}, {'C', 'a', 'r'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        Bytes data(1 + c.bytes.size());
        data[0] = c.wireIndex;
        std::copy(c.bytes.begin(), c.bytes.end(), data.begin() + 1);
        flash(FLASH_SCENE_NAME, data);
        ASSERT_EQ(posted.size(), 1u);
        EXPECT_EQ(posted[0].target, Target::Main);
        EXPECT_EQ(posted[0].message.id, WM_SCENE_VALUE);
        EXPECT_EQ(posted[0].message.wParam, FLASH_SCENE_NAME);
        const auto& r = record<SceneNameRecord>(0);
        EXPECT_EQ(r.index, c.wireIndex - 1);
        EXPECT_EQ(r.name, c.expected);
    }
}

TEST_F(FlashReplies, SceneNameLogLine)
{
    LogCapture log;
    flash(FLASH_SCENE_NAME, {3, 'A', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x42});
    EXPECT_NE(log.text().find("scene_name->index(2), name -->> 0x41, 0x00, "), std::string::npos) << log.text();
}

TEST_F(FlashReplies, SceneAcknowledgementsGoToTheSceneWindow)
{
    struct Case {
        const char* name;
        std::uint8_t sub;
        std::uint8_t op;
        Bytes data;
        bool posts;
        std::uint32_t id;
        std::int64_t wParam;
        std::int64_t lParam;
    };
    const Case cases[] = {
        {"saved", FLASH_SAVE_SCENE, OP_ACK, {ACK_READY, 4}, true, WM_SCENE_VALUE, 4, 0},
        {"deleted", FLASH_DELETE_SCENE, OP_ACK, {ACK_READY, 7}, true, WM_SCENE_DONE, 7, 0},
        {"save not ready", FLASH_SAVE_SCENE, OP_ACK, {ACK_NOT_READY, 4}, false, 0, 0, 0},
        {"save as update", FLASH_SAVE_SCENE, OP_UPDATE, {ACK_READY, 4}, false, 0, 0, 0},
        {"save without its scene", FLASH_SAVE_SCENE, OP_ACK, {ACK_READY}, false, 0, 0, 0},
        {"current scene", FLASH_SCENE_ID, OP_UPDATE, {3}, true, WM_SCENE_ID, FLASH_SCENE_ID, 3},
        {"read scene echo", FLASH_READ_SCENE, OP_ACK, {ACK_READY, 2}, false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        posted.clear();
        flash(c.sub, c.data, c.op);
        ASSERT_EQ(posted.size(), c.posts ? 1u : 0u);
        if (!c.posts)
            continue;
        EXPECT_EQ(posted[0].target, Target::Scene);
        EXPECT_EQ(posted[0].message.id, c.id);
        EXPECT_EQ(posted[0].message.wParam, c.wParam);
        EXPECT_EQ(posted[0].message.lParam, c.lParam);
    }
}

TEST_F(FlashReplies, ValidSceneMask)
{
    flash(FLASH_SCENE_VALID, {0x02, 0x05});
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].target, Target::Main);
    EXPECT_EQ(posted[0].message.id, WM_SCENE_VALUE);
    EXPECT_EQ(posted[0].message.wParam, FLASH_SCENE_VALID);
    EXPECT_EQ(record<SceneValidRecord>(0).mask, 0x0205);

    posted.clear();
    flash(FLASH_SCENE_VALID, {0x02});
    EXPECT_TRUE(posted.empty());
}

} // namespace
