#include "ProfileOperations.h"

#include "Connection.h"
#include "DeviceLink.h"
#include "Log.h"
#include "MessageIds.h"
#include "ProfileResult.h"
#include "ProfileToDevice.h"
#include "SceneFromDevice.h"
#include "SceneProfile.h"
#include "ValueIntake.h"
#include "WholeProfile.h"

namespace dravo {
namespace {

// ReadScene(0, 0): the amplifier plays its live state again after the
// scenes were selected for reading.
constexpr int kLiveScene = 0;
constexpr int kIntoLive = 0;

void post(EqualizerManager& manager, std::uint32_t id)
{
    manager.host().post(Message{id, 0, 0, nullptr});
}

std::string chosen(const std::string& path, const char* dialog)
{
    if (!path.empty())
        LogWrite("%s %s ok", dialog, path.c_str());
    return path;
}

} // namespace

const ProfileDialogTexts& profileDialogTexts(ProfileKind kind)
{
    for (const ProfileDialogTexts& texts : kProfileDialogTexts)
        if (texts.kind == kind)
            return texts;
    return kProfileDialogTexts[0];
}

const std::array<ProfileFilter, 2>& profileFilters(ProfileKind kind, int languageIndex)
{
    const ProfileDialogTexts& texts = profileDialogTexts(kind);
    return languageIndex == kChineseLanguageIndex ? texts.chinese : texts.english;
}

void SaveSenceConfigToFile(EqualizerManager& manager, ProfileFileDialog& dialog)
{
    LogWrite("%s", "EqualizerManager::SaveSenceConfigToFile");
    const std::string path = chosen(dialog.savePath(ProfileKind::Scene), "GetSaveFileName");
    if (path.empty())
        return;
    WriteSceneProfile(manager.live(), path, manager.host(), true);
}

void LoadSenceConfigFromFile(EqualizerManager& manager, ProfileFileDialog& dialog)
{
    LogWrite("%s", "EqualizerManager::LoadSenceConfigFromFile");
    const std::string path = chosen(dialog.openPath(ProfileKind::Scene), "GetOpenFileName");
    if (path.empty())
        return;
    const bool read = ReadSceneProfile(path, manager.live(), manager.host(), true);
    manager.live().mix2monitorChIdxs();
    if (read)
        StartSetCurSceneThread(manager);
}

void SaveWholeConfigToFile(EqualizerManager& manager, ProfileFileDialog& dialog)
{
    LogWrite("%s", "EqualizerManager::SaveWholeConfigToFile");
    const std::string path = chosen(dialog.savePath(ProfileKind::Whole), "GetSaveFileName");
    if (path.empty())
        return;
    StartSaveWholeSceneThread(manager, path);
}

void LoadWholeConfigFromFile(EqualizerManager& manager, ProfileFileDialog& dialog)
{
    LogWrite("%s", "EqualizerManager::LoadWholeConfigFromFile");
    const std::string path = chosen(dialog.openPath(ProfileKind::Whole), "GetOpenFileName");
    if (path.empty())
        return;
    const bool read = ReadWholeProfile(path, manager);
    manager.live().mix2monitorChIdxs();
    if (read)
        StartSetWholeProfileThread(manager);
}

void StartSetCurSceneThread(EqualizerManager& manager)
{
    post(manager, WM_SHOW_LOADING);
    manager.host().startWorker("SetCurSceneThread", [&manager] {
        LogWrite("SetCurSceneThread start!");
        SetReadCurProfileToMCU(manager.link(), manager.live());
        manager.host().runOnUiThread([&manager] { manager.intake().SetReadProfileToView(); });
        post(manager, WM_HIDE_LOADING);
        LogWrite("SetCurSceneThread end!");
    });
}

void StartSetWholeProfileThread(EqualizerManager& manager)
{
    post(manager, WM_SHOW_LOADING);
    manager.host().startWorker("SetWholeProfileThread", [&manager] {
        LogWrite("SetWholeProfileThread start!");
        SetReadWholeProfileToMCU(manager);
        manager.host().runOnUiThread([&manager] { manager.intake().SetReadProfileToView(); });
        manager.host().sleepMs(kWholeProfileStoreWaitMs);
        post(manager, WM_HIDE_LOADING);
        LogWrite("SetWholeProfileThread end!");
    });
}

bool SaveWholeSceneFromDevice(EqualizerManager& manager, const std::string& path)
{
    for (int n = 1; n <= kSceneSlots; ++n)
        ReadSceneFromDevice(manager, n);
    manager.link().ReadScene(kLiveScene, kIntoLive);
    manager.connection().PC_UI_Status_Init();
    // The replies are applied on the user-interface thread; writing there
    // too means the file holds every one of them.
    bool written = false;
    manager.host().runOnUiThread([&] {
        written = WriteWholeProfile(manager.live(), manager.scenes(), manager.intake().SceneNames(), path);
    });
    return written;
}

void StartSaveWholeSceneThread(EqualizerManager& manager, const std::string& path)
{
    post(manager, WM_SHOW_LOADING);
    manager.host().startWorker("SaveWholeSceneThread", [&manager, path] {
        LogWrite("SaveWholeSceneThread start!");
        const bool written = SaveWholeSceneFromDevice(manager, path);
        manager.host().showMessage(kTipsTitle, written ? kProfileSaveOk : kProfileCreateError, {kConfirmCaption});
        post(manager, WM_HIDE_LOADING);
        LogWrite("SaveWholeSceneThread end!");
    });
}

} // namespace dravo
