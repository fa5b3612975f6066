#include "FlashCommands.h"

#include "FactoryDefaults.h"
#include "FirmwareUpgrade.h"

#include <algorithm>

namespace dravo::sim {
namespace {

// ReadScene's second byte: copy the scene into the live state, or select it
// for the scene-tagged queries that follow.
constexpr std::uint8_t kReadIntoLive = 0;
constexpr std::uint8_t kReadForQueries = 255;
// SaveScene's second byte: store the live state, or what the scene-tagged
// setters wrote.
constexpr std::uint8_t kSaveLive = 0;

bool isStoredSceneNumber(int n) { return n >= 1 && n <= kSceneCount; }

bool saveScene(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    const std::uint8_t n = r.data[0];
    if (!isStoredSceneNumber(n)) {
        ctx.ack(r, ACK_NOT_READY, {n});
        return true;
    }
    StoredScene& slot = ctx.state.scenes[n - 1];
    SceneState& edits = ctx.state.sceneEdits[n - 1];
    if (r.data[1] == kSaveLive) {
        slot.state = ctx.state.live;
        edits = ctx.state.live;
        ctx.state.sceneId = n;
    } else {
        slot.state = edits;
    }
    slot.valid = true;
    ctx.ack(r, ACK_READY, {n});
    return true;
}

bool readScene(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    const std::uint8_t n = r.data[0];
    const std::uint8_t to = r.data[1];
    // Scene 0 is the live state already: nothing to copy.
    if (n == 0) {
        ctx.ack(r, ACK_READY);
        return true;
    }
    if (!isStoredSceneNumber(n) || (to != kReadIntoLive && to != kReadForQueries)) {
        ctx.ack(r, ACK_NOT_READY);
        return true;
    }
    StoredScene& slot = ctx.state.scenes[n - 1];
    if (to == kReadForQueries) {
        ctx.state.sceneEdits[n - 1] = slot.state;
    } else {
        // An empty slot has nothing to load; the live state stays.
        if (!slot.valid) {
            ctx.ack(r, ACK_NOT_READY);
            return true;
        }
        ctx.state.live = slot.state;
        ctx.state.sceneId = n;
    }
    ctx.ack(r, ACK_READY);
    return true;
}

bool deleteScene(CommandContext& ctx, const Request& r)
{
    if (r.data.empty())
        return false;
    const std::uint8_t n = r.data[0];
    if (!isStoredSceneNumber(n)) {
        ctx.ack(r, ACK_NOT_READY, {n});
        return true;
    }
    ctx.state.scenes[n - 1] = erasedScene();
    if (ctx.state.sceneId == n)
        ctx.state.sceneId = 0;
    ctx.ack(r, ACK_READY, {n});
    return true;
}

bool setSceneName(CommandContext& ctx, const Request& r)
{
    if (r.data.size() < 2)
        return false;
    const std::uint8_t n = r.data[0];
    const std::size_t length = r.data[1];
    if (!isStoredSceneNumber(n) || length > kSceneNameSize || r.data.size() < 2 + length)
        return false;
    auto& name = ctx.state.scenes[n - 1].name;
    name.fill(0);
    std::copy_n(r.data.data() + 2, length, name.begin());
    ctx.ack(r, ACK_READY);
    return true;
}

bool getSceneName(CommandContext& ctx, const Request& r)
{
    if (r.data.empty() || !isStoredSceneNumber(r.data[0]))
        return false;
    const auto& name = ctx.state.scenes[r.data[0] - 1].name;
    std::vector<std::uint8_t> data{r.data[0]};
    data.insert(data.end(), name.begin(), name.end());
    ctx.update(r, std::move(data));
    return true;
}

bool getSceneId(CommandContext& ctx, const Request& r)
{
    ctx.update(r, {ctx.state.sceneId});
    return true;
}

// Bit N-1 stands for scene N.
bool getSceneValid(CommandContext& ctx, const Request& r)
{
    unsigned mask = 0;
    for (int i = 0; i < kSceneCount; ++i)
        if (ctx.state.scenes[i].valid)
            mask |= 1u << i;
    ctx.update(r, {static_cast<std::uint8_t>(mask >> 8), static_cast<std::uint8_t>(mask)});
    return true;
}

constexpr CommandEntry kFlashCommands[] = {
    {FLASH_CHIP_ERASE, eraseDspFlash, nullptr, true},
    {FLASH_UPG_START, startDspUpgrade, nullptr, true},
    {FLASH_UPG_BLOCK, receiveDspBlock, nullptr, true},
    {FLASH_UPG_FINISH, finishDspUpgrade, nullptr, true},
    {FLASH_SAVE_SCENE, saveScene, nullptr, false},
    {FLASH_READ_SCENE, readScene, nullptr, false},
    {FLASH_DELETE_SCENE, deleteScene, nullptr, false},
    {FLASH_SCENE_NAME, setSceneName, getSceneName, false},
    {FLASH_SCENE_ID, nullptr, getSceneId, false},
    {FLASH_SCENE_VALID, nullptr, getSceneValid, false},
};

} // namespace

bool handleFlashRequest(CommandContext& ctx, const Request& request)
{
    return dispatchCommand(kFlashCommands, ctx, request);
}

} // namespace dravo::sim
