#include "WholeProfile.h"

#include "Base64.h"
#include "Log.h"
#include "ProductInfo.h"
#include "ProfileFile.h"
#include "ProfileJson.h"
#include "ValueIntake.h"

#include <memory>

namespace dravo {

using namespace profile_json;

namespace {

// What "currentProfile" and each "sceneArray" entry share, in file order.
cJSON* currentProfileJson(const SenceConfig& live)
{
    cJSON* json = cJSON_CreateObject();
    addItem(json, "channels", channelsJson(live));
    addItem(json, "inputs", intTable(live.inputs));
    addItem(json, "inputMixVolume", intTable(live.inputMixVolume));
    addItem(json, "inMixPhase", intTable(live.inMixPhase));
    addItem(json, "outputs", intTable(live.outputs));
    addItem(json, "outputs_bk", intTable(live.outputs_bk));
    addItem(json, "linkOutputs", intTable(live.linkOutputs));
    addItem(json, "bridgeOutputs", intTable(live.bridgeOutputs));
    addItem(json, "showOutChEqualizer", intTable(live.showOutChEqualizer));
    addInt(json, "currOutChannel", live.currOutChannel);
    addInt(json, "linkMode", live.linkMode);
    addInt(json, "lockMode", live.lockMode);
    return json;
}

cJSON* sceneJson(const SenceConfig& scene)
{
    cJSON* json = cJSON_CreateObject();
    addItem(json, "channels", channelsJson(scene));
    addItem(json, "inputs", intTable(scene.inputs));
    addItem(json, "inputMixVolume", intTable(scene.inputMixVolume));
    addViceTables(json, scene);
    addItem(json, "outputs", intTable(scene.outputs));
    addItem(json, "outputs_bk", intTable(scene.outputs_bk));
    addItem(json, "linkOutputs", intTable(scene.linkOutputs));
    addItem(json, "bridgeOutputs", intTable(scene.bridgeOutputs));
    addItem(json, "showOutChEqualizer", intTable(scene.showOutChEqualizer));
    addInt(json, "currOutChannel", scene.currOutChannel);
    addInt(json, "linkMode", scene.linkMode);
    addInt(json, "lockMode", scene.lockMode);
    return json;
}

// The layout items both "currentProfile" and a scene entry carry after
// their input tables.
bool readLayout(ItemReader& in, const cJSON* json, SenceConfig& record)
{
    return in.table(json, "outputs", record.outputs, kRoleRange) &&
           in.table(json, "outputs_bk", record.outputs_bk, kRoleRange) &&
           in.table(json, "linkOutputs", record.linkOutputs, kLinkPartnerRange) &&
           in.table(json, "showOutChEqualizer", record.showOutChEqualizer) &&
           in.integer(json, "currOutChannel", record.currOutChannel, kOutputRange) &&
           in.integer(json, "linkMode", record.linkMode) && in.integer(json, "lockMode", record.lockMode);
}

bool readSceneNames(ItemReader& in, const cJSON* root, SceneNameTable& names)
{
    const cJSON* array = cJSON_GetObjectItem(root, "sceneName");
    if (!cJSON_IsArray(array) || cJSON_GetArraySize(array) != kSceneNameSlots)
        return in.fail("sceneName");
    for (int k = 0; k < kSceneNameSlots; ++k) {
        const cJSON* item = cJSON_GetArrayItem(array, k);
        if (!cJSON_IsString(item))
            return in.fail("sceneName[" + std::to_string(k) + "]");
        SceneNameField field{};
        base64DecodeInto(item->valuestring, field);
        names.setField(k, field);
    }
    return true;
}

bool readCurrentProfile(ItemReader& in, const cJSON* root, SenceConfig& live)
{
    const cJSON* json = in.object(root, "currentProfile");
    if (!json)
        return false;
    ItemReader::Scope scope(in, "currentProfile.");
    // The cross-source tables of the live state stand at the top level.
    return in.table(json, "inputs", live.inputs) && readViceTables(in, root, live) && readLayout(in, json, live) &&
           in.table(json, "inputMixVolume", live.inputMixVolume) && in.table(json, "inMixPhase", live.inMixPhase) &&
           in.channels(json, live);
}

bool readScenes(ItemReader& in, const cJSON* root, SceneRecords& scenes)
{
    const cJSON* array = cJSON_GetObjectItem(root, "sceneArray");
    if (!cJSON_IsArray(array) || cJSON_GetArraySize(array) != kSceneSlots)
        return in.fail("sceneArray");
    for (int k = 0; k < kSceneSlots; ++k) {
        ItemReader::Scope scope(in, "sceneArray[" + std::to_string(k) + "].");
        const cJSON* json = cJSON_GetArrayItem(array, k);
        SenceConfig& scene = scenes[static_cast<std::size_t>(k)];
        if (!cJSON_IsObject(json))
            return in.fail("");
        if (!(in.table(json, "inputs", scene.inputs) && in.table(json, "inputMixVolume", scene.inputMixVolume) &&
              readViceTables(in, json, scene) && readLayout(in, json, scene) && in.channels(json, scene)))
            return false;
    }
    return true;
}

} // namespace

std::string WholeProfileText(const SenceConfig& live, const SceneRecords& scenes, const SceneNameTable& names)
{
    JsonPtr root(cJSON_CreateObject());
    cJSON* r = root.get();
    addInt(r, "model", kModelId);
    addString(r, "model_name", kModelName);
    addInt(r, "source", live.source);
    addInt(r, "mainVolume", live.mainVolume);
    addInt(r, "acc", live.acc);
    addInt(r, "subVolume", live.subVolume);
    addInt(r, "mainVolumeMute", live.mainVolumeMute);

    cJSON* sceneNames = cJSON_CreateArray();
    for (int k = 0; k < kSceneNameSlots; ++k)
        cJSON_AddItemToArray(sceneNames, cJSON_CreateString(base64Encode(names.field(k)).c_str()));
    addItem(r, "sceneName", sceneNames);

    addViceTables(r, live);
    addItem(r, "currentProfile", currentProfileJson(live));
    cJSON* sceneArray = cJSON_CreateArray();
    for (const SenceConfig& scene : scenes)
        cJSON_AddItemToArray(sceneArray, sceneJson(scene));
    addItem(r, "sceneArray", sceneArray);
    return printUnformatted(r);
}

ProfileResult parseWholeProfile(std::string_view text, SenceConfig& live, SceneRecords& scenes,
                                SceneNameTable& names)
{
    JsonPtr root;
    if (ProfileResult checked = parseProfileRoot(text, root); !checked.ok())
        return checked;
    const cJSON* r = root.get();

    SenceConfig newLive = live;
    // Ten records are too large for a worker's stack.
    auto newScenes = std::make_unique<SceneRecords>(scenes);
    SceneNameTable newNames = names;
    ItemReader in;
    const bool good = in.integer(r, "mainVolume", newLive.mainVolume) &&
                      in.integer(r, "source", newLive.source, kSourceRange) &&
                      in.integer(r, "acc", newLive.acc) && in.integer(r, "subVolume", newLive.subVolume) &&
                      in.integer(r, "mainVolumeMute", newLive.mainVolumeMute) &&
                      readSceneNames(in, r, newNames) && readCurrentProfile(in, r, newLive) &&
                      readScenes(in, r, *newScenes);
    if (!good)
        return {ProfileStatus::InvalidItem, in.failedItem()};

    live = newLive;
    scenes = *newScenes;
    names = newNames;
    return {};
}

ProfileResult loadWholeProfile(const std::string& path, SenceConfig& live, SceneRecords& scenes,
                               SceneNameTable& names)
{
    const auto text = readProfileFile(path);
    if (!text)
        return {ProfileStatus::CannotOpen, {}};
    return parseWholeProfile(*text, live, scenes, names);
}

ProfileResult saveWholeProfile(const SenceConfig& live, const SceneRecords& scenes, const SceneNameTable& names,
                               const std::string& path)
{
    const std::string text = WholeProfileText(live, scenes, names);
    if (text.empty() || !writeProfileFile(path, text))
        return {ProfileStatus::CannotCreate, {}};
    return {};
}

bool WriteWholeProfile(const SenceConfig& live, const SceneRecords& scenes, const SceneNameTable& names,
                       const std::string& path)
{
    return saveWholeProfile(live, scenes, names, path).ok();
}

bool ReadWholeProfile(const std::string& path, SenceConfig& live, SceneRecords& scenes, SceneNameTable& names,
                      ManagerHost& host)
{
    const ProfileResult result = loadWholeProfile(path, live, scenes, names);
    switch (result.status) {
    case ProfileStatus::Ok:
        LogWrite("read profile file ok");
        return true;
    case ProfileStatus::CannotOpen:
        host.showMessage(kTipsTitle, kProfileOpenError, {kConfirmCaption});
        return false;
    case ProfileStatus::NotJson:
        host.showMessage(kTipsTitle, kProfileLoadError, {kConfirmCaption});
        return false;
    case ProfileStatus::WrongModel:
        host.showMessage(kTipsTitle, kSoftwareNotMatch, {kConfirmCaption});
        LogWrite("read profile file error! error1");
        return false;
    default:
        LogWrite("read profile file error! error");
        LogWrite("profile item %s is missing, mistyped or out of range", result.detail.c_str());
        host.showMessage(kTipsTitle, kProfileLoadError, {kConfirmCaption});
        LogWrite("read profile file error! error1");
        return false;
    }
}

bool ReadWholeProfile(const std::string& path, EqualizerManager& manager)
{
    return ReadWholeProfile(path, manager.live(), manager.scenes(), manager.intake().SceneNames(), manager.host());
}

} // namespace dravo
