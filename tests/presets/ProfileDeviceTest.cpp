// Profiles and the amplifier: what a loaded profile sends, in which order,
// what reading the amplifier's scenes asks, and the workers around them.
#include "CommandCodes.h"
#include "MessageIds.h"
#include "PresetsFixture.h"
#include "ProfileTestSupport.h"
#include "ProfileToDevice.h"
#include "SceneFromDevice.h"
#include "SceneProfile.h"
#include "ValueIntake.h"
#include "WholeProfile.h"

#include <algorithm>

namespace dravo::test {
namespace {

// One expected request: its command, sub-command and first data bytes.
struct Step {
    std::uint8_t cmd;
    std::uint8_t sub;
    std::vector<std::uint8_t> head;
};

void expectSequence(const std::vector<sim::ReceivedRequest>& got, const std::vector<Step>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const auto& r = got[i];
        ASSERT_EQ(std::make_pair(r.cmd, r.sub), std::make_pair(want[i].cmd, want[i].sub)) << "request " << i;
        ASSERT_GE(r.data.size(), want[i].head.size()) << "request " << i;
        EXPECT_TRUE(std::equal(want[i].head.begin(), want[i].head.end(), r.data.begin())) << "request " << i;
    }
}

// Sources that have inputs, with their input counts.
constexpr std::pair<std::uint8_t, int> kSourcesWithInputs[] = {{0, 2}, {2, 2}, {3, 2}, {5, 8}, {7, 2}, {8, 2}};

// What one record sends after main volume and mute: crossovers and bands,
// the per-output values, the routing of its source, the mixing levels.
std::vector<Step> recordSteps(const SenceConfig& r, std::uint8_t scene)
{
    std::vector<Step> steps;
    for (std::uint8_t c = 0; c < 12; ++c) {
        steps.push_back({CMD_DSP, DSP_FILTER_SET, {scene, 0, c, 2}});  // high-pass first
        steps.push_back({CMD_DSP, DSP_FILTER_SET, {scene, 0, c, 1}});
        for (int b = 0; b < r.channels[c].eqSize; ++b)
            steps.push_back({CMD_DSP, DSP_EQ_CH, {scene, 0, c, static_cast<std::uint8_t>(b)}});
    }
    for (std::uint8_t sub : {DSP_CH_TYPE, DSP_TRIM_CH, DSP_MUTE_CH, DSP_PHASE_CH, DSP_CH_SOLO, DSP_DELAY_CH, DSP_EQ_BYPASS})
        steps.push_back({CMD_DSP, sub, {scene, 0, 0, 11}});
    steps.push_back({CMD_DSP, DSP_MIX_CH, {scene, static_cast<std::uint8_t>(r.source), 0, 11}});
    for (const auto& [source, inputs] : kSourcesWithInputs)
        for (std::uint8_t n = 0; n < inputs; ++n)
            steps.push_back({CMD_DSP, DSP_INPUT_MIX_CH_TRIM, {scene, source, n, 0, 11}});
    return steps;
}

class ProfileDevice : public PresetsFixture {
protected:
    std::vector<sim::ReceivedRequest> requests() { return amp->receivedRequests(); }
};

TEST_F(ProfileDevice, TheLiveRecordGoesOutInItsOrderAndNothingElse)
{
    openDirectly();
    const SenceConfig tuned = tunedRecord();
    SetReadCurProfileToMCU(*link, tuned);

    std::vector<Step> want = {{CMD_DSP, DSP_VOLUME, {3}},  // step 33: 2.64 dB, attenuation 3
                              {CMD_DSP, DSP_MUTE, {1}}};
    const auto steps = recordSteps(tuned, 0);
    want.insert(want.end(), steps.begin(), steps.end());
    expectSequence(requests(), want);

    // The values themselves, on a few requests.
    const auto filters = received(DSP_FILTER_SET);
    EXPECT_EQ(filters[0].data, (std::vector<std::uint8_t>{0, 0, 0, 2, 2, 0, 80, 4}));
    EXPECT_EQ(filters[1].data, (std::vector<std::uint8_t>{0, 0, 0, 1, 3, 0x13, 0x88, 2}));
    const auto trims = received(DSP_TRIM_CH);
    EXPECT_EQ(std::vector<std::uint8_t>(trims[0].data.begin() + 4, trims[0].data.begin() + 8),
              (std::vector<std::uint8_t>{3, 50, 3, 75}));  // -3.5 dB, -3.75 dB
    const auto roles = received(DSP_CH_TYPE);
    EXPECT_EQ(std::vector<int>(roles[0].data.begin() + 4, roles[0].data.end()),
              std::vector<int>(tuned.outputs.begin(), tuned.outputs.end()));
}

TEST_F(ProfileDevice, AWholeProfileFillsEverySceneSlotThenTheLiveState)
{
    openDirectly();
    for (int k = 0; k < 10; ++k)
        manager->scenes()[k] = tunedRecord(k + 1);
    manager->scenes()[2].channels[5].eqSize = 3;
    manager->live() = tunedRecord();
    SceneNameTable& names = manager->intake().SceneNames();
    names.setText(0, "Bass");
    names.setText(9, "Loud");
    SetReadWholeProfileToMCU(*manager);

    std::vector<Step> want;
    for (std::uint8_t n = 1; n <= 10; ++n) {
        const auto steps = recordSteps(manager->scenes()[n - 1], n);
        want.insert(want.end(), steps.begin(), steps.end());
        want.push_back({CMD_FLASH, FLASH_SCENE_NAME, {n, 16}});
        want.push_back({CMD_FLASH, FLASH_SAVE_SCENE, {n, 1}});
    }
    want.push_back({CMD_DSP, DSP_VOLUME, {3}});
    want.push_back({CMD_DSP, DSP_MUTE, {1}});
    const auto live = recordSteps(manager->live(), 0);
    want.insert(want.end(), live.begin(), live.end());
    expectSequence(requests(), want);

    const sim::DeviceState device = amp->state();
    for (int k = 0; k < 10; ++k) {
        EXPECT_TRUE(device.scenes[k].valid) << "scene " << k + 1;
        EXPECT_EQ(device.scenes[k].state.channels[1].role, manager->scenes()[k].outputs[1]);
    }
    const std::array<std::uint8_t, 16> bass = {'B', 'a', 's', 's'};
    EXPECT_EQ(device.scenes[0].name, bass);
    EXPECT_EQ(device.scenes[3].name, (std::array<std::uint8_t, 16>{}));
}

TEST_F(ProfileDevice, ReadingAStoredSceneSelectsItAndAsksEveryValueTaggedWithIt)
{
    openDirectly();
    manager->live().channels[2].eqSize = 10;
    manager->live().channels[7].eqSize = 0;
    ReadSceneFromDevice(*manager, 4);

    std::vector<Step> want = {{CMD_FLASH, FLASH_READ_SCENE, {4, 255}},
                              {CMD_DSP, DSP_CH_TYPE, {4, 0, 0, 12}},
                              {CMD_DSP, DSP_CH_LINK, {4}},
                              {CMD_DSP, DSP_CH_LOCK, {4}},
                              {CMD_DSP, DSP_CH_SOLO, {4, 0, 0, 11}},
                              {CMD_DSP, DSP_FILTER_SET, {4, 0, 0, 3}},
                              {CMD_DSP, DSP_FILTER_SET, {4, 0, 4, 7}},
                              {CMD_DSP, DSP_FILTER_SET, {4, 0, 8, 11}},
                              {CMD_DSP, DSP_EQ_BYPASS, {4, 0, 0, 11}}};
    for (std::uint8_t c = 0; c < 12; ++c) {
        const int bands = c == 2 ? 10 : c == 7 ? 0 : 31;
        for (int b = 0; b < bands; b += 7)
            want.push_back({CMD_DSP, DSP_EQ_CH,
                            {4, 0, c, static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(std::min(b + 6, bands - 1))}});
    }
    for (std::uint8_t sub : {DSP_DELAY_CH, DSP_TRIM_CH, DSP_MUTE_CH, DSP_PHASE_CH})
        want.push_back({CMD_DSP, sub, {4, 0, 0, 11}});
    for (std::uint8_t s = 0; s < 9; ++s)
        want.push_back({CMD_DSP, DSP_MIX_CH, {4, s, 0, 11}});
    for (const auto& [source, inputs] : kSourcesWithInputs)
        for (std::uint8_t n = 0; n < inputs; ++n)
            want.push_back({CMD_DSP, DSP_INPUT_MIX_CH_TRIM, {4, source, n, 0, 11}});
    for (const auto& [source, inputs] : kSourcesWithInputs)
        for (std::uint8_t n = 0; n < inputs; ++n)
            want.push_back({CMD_DSP, DSP_CROSS_SOURCE_MIX, {4, source, n}});
    for (std::uint8_t k = 1; k <= 10; ++k)
        want.push_back({CMD_FLASH, FLASH_SCENE_NAME, {k}});
    expectSequence(requests(), want);
}

TEST_F(ProfileDevice, LoadingASceneProfileSendsItBehindTheLoadingBox)
{
    openDirectly();
    ScratchFolder folder;
    const std::string path = folder.path("tuned.spf");
    ASSERT_TRUE(saveSceneProfile(tunedRecord(), path).ok());
    dialog.paths = {path};

    LoadSenceConfigFromFile(*manager, dialog);
    host.pump();

    EXPECT_EQ(dialog.asked, std::vector<ProfileKind>{ProfileKind::Scene});
    EXPECT_EQ(host.workers, std::vector<std::string>{"SetCurSceneThread"});
    EXPECT_EQ(postedAt(WM_SHOW_LOADING).size(), 1u);
    EXPECT_EQ(postedAt(WM_HIDE_LOADING).size(), 1u);
    EXPECT_EQ(received(DSP_VOLUME).size(), 1u);
    EXPECT_EQ(received(DSP_EQ_CH).size(), 11u * 31u + 5u);
    const sim::DeviceState device = amp->state();
    EXPECT_EQ(device.live.channels[4].solo, 1);
    EXPECT_EQ(device.live.mixMask[5][1], tunedRecord().inputs[5][1]);
}

TEST_F(ProfileDevice, AProfileThatFailsItsChecksTouchesNeitherTheRecordNorTheAmplifier)
{
    openDirectly();
    ScratchFolder folder;
    const std::string path = folder.path("bad.spf");
    writeText(path, editJson(SceneProfileText(tunedRecord()),
                             [](cJSON* r) { cJSON_ReplaceItemInObject(r, "source", cJSON_CreateNumber(42)); }));
    const SenceConfig before = manager->live();
    dialog.paths = {path, ""};

    LoadSenceConfigFromFile(*manager, dialog);
    LoadSenceConfigFromFile(*manager, dialog);  // cancelled
    settle();

    EXPECT_EQ(manager->live(), before);
    EXPECT_TRUE(host.workers.empty());
    EXPECT_TRUE(uiHost.posted.empty());
    EXPECT_TRUE(requests().empty());
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, "${profile_load_error}");
}

TEST_F(ProfileDevice, LoadingAWholeProfileKeepsTheLoadingBoxUpWhileTheAmplifierStoresIt)
{
    openDirectly();
    ScratchFolder folder;
    const std::string path = folder.path("whole.wpf");
    auto scenes = std::make_unique<SceneRecords>();
    for (int k = 0; k < 10; ++k)
        (*scenes)[k] = tunedRecord(k + 1);
    SceneNameTable names;
    names.setText(6, "Seven");
    ASSERT_TRUE(saveWholeProfile(tunedRecord(), *scenes, names, path).ok());
    dialog.paths = {path};

    LoadWholeConfigFromFile(*manager, dialog);
    host.pump();

    EXPECT_EQ(host.workers, std::vector<std::string>{"SetWholeProfileThread"});
    EXPECT_EQ(manager->intake().SceneNames().text(6), "Seven");
    EXPECT_EQ(manager->scenes()[9].channels[0].gain, tunedRecord(10).channels[0].gain);
    ASSERT_EQ(postedAt(WM_SHOW_LOADING).size(), 1u);
    ASSERT_EQ(postedAt(WM_HIDE_LOADING).size(), 1u);
    EXPECT_GE(postedAt(WM_HIDE_LOADING)[0] - postedAt(WM_SHOW_LOADING)[0], 20000 + 200);
    EXPECT_EQ(received(FLASH_SAVE_SCENE, CMD_FLASH).size(), 10u);
    const std::array<std::uint8_t, 16> seven = {'S', 'e', 'v', 'e', 'n'};
    EXPECT_EQ(amp->state().scenes[6].name, seven);
}

// Saving reads every scene and the live state from the amplifier, so what
// a whole profile sent comes back into the file.
TEST_F(ProfileDevice, SavingAWholeProfileWritesWhatTheAmplifierHolds)
{
    openDirectly();
    for (int k = 0; k < 10; ++k)
        manager->scenes()[k] = tunedRecord(k + 1);
    manager->live() = tunedRecord();
    manager->intake().SceneNames().setText(2, "Three");
    SetReadWholeProfileToMCU(*manager);
    settle();

    // Forget it all on this side, then save from the amplifier.
    for (SenceConfig& scene : manager->scenes())
        scene = SenceConfig{};
    manager->live() = SenceConfig{};
    manager->intake().SceneNames().clear(2);
    ScratchFolder folder;
    const std::string path = folder.path("saved.wpf");
    dialog.paths = {path, folder.path("missing/x.wpf")};
    SaveWholeConfigToFile(*manager, dialog);
    host.pump();

    ASSERT_FALSE(host.asked.empty());
    EXPECT_EQ(host.asked.back().text, "${profile_save_ok}");
    EXPECT_EQ(host.workers, std::vector<std::string>{"SaveWholeSceneThread"});
    SenceConfig live;
    auto scenes = std::make_unique<SceneRecords>();
    SceneNameTable names;
    ASSERT_TRUE(loadWholeProfile(path, live, *scenes, names).ok());
    EXPECT_EQ(names.text(2), "Three");
    for (int k = 0; k < 10; ++k) {
        const SenceConfig sent = tunedRecord(k + 1);
        const SenceConfig& saved = (*scenes)[k];
        EXPECT_EQ(saved.outputs, sent.outputs) << "scene " << k + 1;
        EXPECT_EQ(saved.channels[6].gain, sent.channels[6].gain) << "scene " << k + 1;
        EXPECT_EQ(saved.channels[6].crossover.hp, sent.channels[6].crossover.hp) << "scene " << k + 1;
        EXPECT_EQ(saved.channels[6].crossover.lp, sent.channels[6].crossover.lp) << "scene " << k + 1;
        EXPECT_EQ(saved.bands[1][9].freq, sent.bands[1][9].freq) << "scene " << k + 1;
        // Only the inputs a source has travel.
        EXPECT_EQ(saved.inputMixVolume[5], sent.inputMixVolume[5]) << "scene " << k + 1;
        EXPECT_EQ(saved.inputMixVolume[8][1], sent.inputMixVolume[8][1]) << "scene " << k + 1;
    }
    EXPECT_EQ(live.outputs, tunedRecord().outputs);
    EXPECT_EQ(live.channels[3].delay, tunedRecord().channels[3].delay);

    SaveWholeConfigToFile(*manager, dialog);
    host.pump();
    EXPECT_EQ(host.asked.back().text, "${profile_create_error}");
    EXPECT_EQ(postedAt(WM_HIDE_LOADING).size(), 2u);
}

} // namespace
} // namespace dravo::test
