#include "SceneProfile.h"

#include "Log.h"
#include "ProductInfo.h"
#include "ProfileFile.h"
#include "ProfileJson.h"

namespace dravo {

using namespace profile_json;

std::string SceneProfileText(const SenceConfig& record)
{
    JsonPtr root(cJSON_CreateObject());
    cJSON* r = root.get();
    addInt(r, "model", kModelId);
    addString(r, "model_name", kModelName);
    addInt(r, "source", record.source);
    addInt(r, "mainVolume", record.mainVolume);
    addInt(r, "acc", record.acc);
    addInt(r, "subVolume", record.subVolume);
    addInt(r, "mainVolumeMute", record.mainVolumeMute);
    addItem(r, "channels", channelsJson(record));
    addItem(r, "inputs", intTable(record.inputs));
    addItem(r, "inputMixVolume", intTable(record.inputMixVolume));
    addViceTables(r, record);
    addItem(r, "outputs", intTable(record.outputs));
    addItem(r, "outputs_bk", intTable(record.outputs_bk));
    addItem(r, "linkOutputs", intTable(record.linkOutputs));
    addItem(r, "bridgeOutputs", intTable(record.bridgeOutputs));
    addItem(r, "showOutChEqualizer", intTable(record.showOutChEqualizer));
    addInt(r, "currOutChannel", record.currOutChannel);
    addInt(r, "linkMode", record.linkMode);
    addInt(r, "lockMode", record.lockMode);
    addItem(r, "inMixPhase", intTable(record.inMixPhase));
    return printUnformatted(r);
}

ProfileResult parseSceneProfile(std::string_view text, SenceConfig& record)
{
    JsonPtr root;
    if (ProfileResult checked = parseProfileRoot(text, root); !checked.ok())
        return checked;
    const cJSON* r = root.get();

    SenceConfig read = record;
    ItemReader in;
    const bool good =
        in.integer(r, "mainVolume", read.mainVolume) && in.integer(r, "source", read.source, kSourceRange) &&
        in.integer(r, "acc", read.acc) && in.integer(r, "subVolume", read.subVolume) &&
        in.integer(r, "mainVolumeMute", read.mainVolumeMute) && in.table(r, "inputs", read.inputs) &&
        in.table(r, "inputMixVolume", read.inputMixVolume) && readViceTables(in, r, read) &&
        in.table(r, "outputs", read.outputs, kRoleRange) && in.table(r, "outputs_bk", read.outputs_bk, kRoleRange) &&
        in.table(r, "linkOutputs", read.linkOutputs, kLinkPartnerRange) &&
        in.table(r, "bridgeOutputs", read.bridgeOutputs) &&
        in.table(r, "showOutChEqualizer", read.showOutChEqualizer) &&
        in.integer(r, "currOutChannel", read.currOutChannel, kOutputRange) &&
        in.integer(r, "linkMode", read.linkMode) && in.integer(r, "lockMode", read.lockMode) &&
        in.table(r, "inMixPhase", read.inMixPhase) && in.channels(r, read);
    if (!good)
        return {ProfileStatus::InvalidItem, in.failedItem()};

    record = read;
    return {};
}

ProfileResult loadSceneProfile(const std::string& path, SenceConfig& record)
{
    const auto text = readProfileFile(path);
    if (!text)
        return {ProfileStatus::CannotOpen, {}};
    return parseSceneProfile(*text, record);
}

ProfileResult saveSceneProfile(const SenceConfig& record, const std::string& path)
{
    const std::string text = SceneProfileText(record);
    if (text.empty() || !writeProfileFile(path, text))
        return {ProfileStatus::CannotCreate, {}};
    return {};
}

bool WriteSceneProfile(const SenceConfig& record, const std::string& path, ManagerHost& host, bool showMessages)
{
    const bool written = saveSceneProfile(record, path).ok();
    if (showMessages)
        host.showMessage(kTipsTitle, written ? kProfileSaveOk : kProfileCreateError, {kConfirmCaption});
    return written;
}

bool ReadSceneProfile(const std::string& path, SenceConfig& record, ManagerHost& host, bool showMessages)
{
    const ProfileResult result = loadSceneProfile(path, record);
    switch (result.status) {
    case ProfileStatus::Ok:
        LogWrite("read profile file ok");
        return true;
    case ProfileStatus::CannotOpen:
    case ProfileStatus::NotJson:
        host.showMessage(kTipsTitle, kProfileOpenError, {kConfirmCaption});
        return false;
    case ProfileStatus::WrongModel:
        host.showMessage(kTipsTitle, kSoftwareNotMatch, {kConfirmCaption});
        LogWrite("read profile file error! error1");
        return false;
    default:
        LogWrite("read profile file error! error");
        LogWrite("profile item %s is missing, mistyped or out of range", result.detail.c_str());
        if (showMessages)
            host.showMessage(kTipsTitle, kProfileLoadError, {kConfirmCaption});
        LogWrite("read profile file error! error1");
        return false;
    }
}

} // namespace dravo
