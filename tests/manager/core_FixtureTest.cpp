#include "ManagerFixture.h"

#include "CommandCodes.h"

namespace dravo::test {
namespace {

class Core : public ManagerFixture {};

TEST_F(Core, FollowersOfABridgedPairAndALink)
{
    SenceConfig& s = manager->live();
    EXPECT_EQ(manager->partnerOf(3), -1);
    s.bridgeOutputs[1] = 1;
    EXPECT_EQ(manager->partnerOf(3), 2);
    s.linkMode = 1;
    s.linkOutputs[3] = 9;
    EXPECT_EQ(manager->partnerOf(3), 9);
    s.syncGroup = {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(manager->syncMembers(0, false, false), (std::vector<int>{6, 11}));
    EXPECT_TRUE(manager->syncMembers(0, true, false).empty());
    EXPECT_TRUE(manager->ctl("no_such_control").text().empty());
}

TEST_F(Core, QueuedRequestReachesTheSimulator)
{
    openDirectly();
    const int mute[] = {1};
    link->Mute_Ch_Ctrl(0, 0, 4, 4, mute, false);
    settle();
    ASSERT_EQ(received(DSP_MUTE_CH).size(), 1u);
    EXPECT_EQ(received(DSP_MUTE_CH)[0].data, (std::vector<std::uint8_t>{0, 0, 4, 4, 1}));
}

} // namespace
} // namespace dravo::test
