// The ten scenes: valid mask, names, save, load, delete, and requests
// tagged with a scene number working on that scene's copy.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace dravo::sim::test {
namespace {

class SimScene : public testing::Test {
protected:
    SimulatedAmplifier amp{instantOptions()};

    // Output 0's level as -dB whole part, through a query tagged with `scene`.
    Packet trimOfOutput0(std::uint8_t scene)
    {
        const std::vector<Packet> replies = exchange(amp, CMD_DSP, DSP_TRIM_CH, OP_GET, {scene, 0, 0, 0});
        return replies.size() == 1 ? replies[0] : Packet{};
    }
    void setTrimOfOutput0(std::uint8_t scene, std::uint8_t db)
    {
        EXPECT_EQ(exchange(amp, CMD_DSP, DSP_TRIM_CH, OP_SET, {scene, 0, 0, 0, db, 0}),
                  (std::vector<Packet>{ready(CMD_DSP, DSP_TRIM_CH)}));
    }
    Bytes validMask()
    {
        const std::vector<Packet> replies = exchange(amp, CMD_FLASH, FLASH_SCENE_VALID, OP_GET);
        return replies.size() == 1 ? replies[0].data : Bytes{};
    }
};

TEST_F(SimScene, SavingTheLiveStateMarksTheSceneValidAndCurrent)
{
    setTrimOfOutput0(0, 6);
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {3, 0}),
              (std::vector<Packet>{ready(CMD_FLASH, FLASH_SAVE_SCENE, {3})}));
    send(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {10, 0});
    drainReports(amp);

    EXPECT_EQ(validMask(), (Bytes{0x02, 0x04})) << "bit N-1 is scene N";
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SCENE_ID, OP_GET), (std::vector<Packet>{update(CMD_FLASH, FLASH_SCENE_ID, {10})}));
}

TEST_F(SimScene, LoadingASceneMakesItLive)
{
    setTrimOfOutput0(0, 6);
    send(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {3, 0});
    drainReports(amp);
    setTrimOfOutput0(0, 20);

    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_READ_SCENE, OP_SET, {3, 0}),
              (std::vector<Packet>{ready(CMD_FLASH, FLASH_READ_SCENE)}));
    EXPECT_EQ(trimOfOutput0(0).data, (Bytes{0, 0, 0, 0, 6, 0}));
}

TEST_F(SimScene, LoadingAnEmptySceneIsRefusedAndKeepsTheLiveState)
{
    setTrimOfOutput0(0, 20);
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_READ_SCENE, OP_SET, {4, 0}),
              (std::vector<Packet>{notReady(CMD_FLASH, FLASH_READ_SCENE)}));
    EXPECT_EQ(trimOfOutput0(0).data, (Bytes{0, 0, 0, 0, 20, 0}));
}

TEST_F(SimScene, SelectedSceneAnswersTheQueriesTaggedWithIt)
{
    setTrimOfOutput0(0, 6);
    send(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {5, 0});
    drainReports(amp);
    setTrimOfOutput0(0, 20);

    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_READ_SCENE, OP_SET, {5, 255}),
              (std::vector<Packet>{ready(CMD_FLASH, FLASH_READ_SCENE)}));
    EXPECT_EQ(trimOfOutput0(5).data, (Bytes{5, 0, 0, 0, 6, 0}));
    EXPECT_EQ(trimOfOutput0(0).data, (Bytes{0, 0, 0, 0, 20, 0})) << "the live state is not touched";
}

TEST_F(SimScene, SceneTaggedSettersAreStoredBySavingWhatTheyWrote)
{
    setTrimOfOutput0(7, 9);
    EXPECT_EQ(trimOfOutput0(0).data, (Bytes{0, 0, 0, 0, 0, 0})) << "the live state is not touched";
    EXPECT_FALSE(amp.state().scenes[6].valid) << "nothing is stored before the save";

    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {7, 1}),
              (std::vector<Packet>{ready(CMD_FLASH, FLASH_SAVE_SCENE, {7})}));
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SCENE_ID, OP_GET), (std::vector<Packet>{update(CMD_FLASH, FLASH_SCENE_ID, {0})}))
        << "storing a scene from its copy does not change the current scene";

    send(amp, CMD_FLASH, FLASH_READ_SCENE, OP_SET, {7, 0});
    drainReports(amp);
    EXPECT_EQ(trimOfOutput0(0).data, (Bytes{0, 0, 0, 0, 9, 0}));
}

TEST_F(SimScene, NamesAreStoredPaddedAndErasedByDelete)
{
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SCENE_NAME, OP_SET, {2, 4, 'C', 'l', 'u', 'b'}),
              (std::vector<Packet>{ready(CMD_FLASH, FLASH_SCENE_NAME)}));
    send(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {2, 0});
    drainReports(amp);
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SCENE_NAME, OP_GET, {2}),
              (std::vector<Packet>{update(CMD_FLASH, FLASH_SCENE_NAME, concat({{2, 'C', 'l', 'u', 'b'}, Bytes(12, 0)}))}));

    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_DELETE_SCENE, OP_SET, {2}),
              (std::vector<Packet>{ready(CMD_FLASH, FLASH_DELETE_SCENE, {2})}));
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SCENE_NAME, OP_GET, {2}),
              (std::vector<Packet>{update(CMD_FLASH, FLASH_SCENE_NAME, concat({{2}, Bytes(16, 0xFF)}))}));
    EXPECT_EQ(validMask(), (Bytes{0, 0}));
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SCENE_ID, OP_GET), (std::vector<Packet>{update(CMD_FLASH, FLASH_SCENE_ID, {0})}))
        << "the current scene is gone";
}

TEST_F(SimScene, SceneNumbersOutsideOneToTenAreRefused)
{
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_SAVE_SCENE, OP_SET, {11, 0}),
              (std::vector<Packet>{notReady(CMD_FLASH, FLASH_SAVE_SCENE, {11})}));
    EXPECT_EQ(exchange(amp, CMD_FLASH, FLASH_DELETE_SCENE, OP_SET, {0}),
              (std::vector<Packet>{notReady(CMD_FLASH, FLASH_DELETE_SCENE, {0})}));
    EXPECT_TRUE(exchange(amp, CMD_FLASH, FLASH_SCENE_NAME, OP_SET, {2, 17}).empty()) << "a name longer than 16";
    EXPECT_EQ(validMask(), (Bytes{0, 0}));
}

} // namespace
} // namespace dravo::sim::test
