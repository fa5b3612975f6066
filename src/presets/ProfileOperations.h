#pragma once
// The scene menu's profile operations: saving and loading a Scene Profile
// or a Whole Config Profile, and the workers that bring a loaded profile to
// the amplifier or read the amplifier's scenes for saving.
#include "EqualizerManager.h"

#include <array>
#include <string>

namespace dravo {

enum class ProfileKind { Scene, Whole };

// Filter of a file dialog: the shown name and the pattern.
struct ProfileFilter {
    const char* name;
    const char* pattern;
};

struct ProfileDialogTexts {
    ProfileKind kind;
    std::array<ProfileFilter, 2> english;
    std::array<ProfileFilter, 2> chinese;
    const char* defaultExtension;  // added to a name typed without one
};

inline constexpr ProfileDialogTexts kProfileDialogTexts[] = {
    {ProfileKind::Scene,
     {{{"Scene Profile(*.spf)", "*.spf"}, {"All Files(*.*)", "*.*"}}},
     {{{"场景配置文件(*.spf)", "*.spf"}, {"所有文件(*.*)", "*.*"}}},
     "spf"},
    {ProfileKind::Whole,
     {{{"Whole Config Profile(*.wpf)", "*.wpf"}, {"All Files(*.*)", "*.*"}}},
     {{{"整机配置文件(*.wpf)", "*.wpf"}, {"所有文件(*.*)", "*.*"}}},
     "wpf"},
};

// The language index whose dialogs show the Chinese filter names.
inline constexpr int kChineseLanguageIndex = 1;

const ProfileDialogTexts& profileDialogTexts(ProfileKind kind);
// The filters for the stored language index.
const std::array<ProfileFilter, 2>& profileFilters(ProfileKind kind, int languageIndex);

// The system's file dialog, owned by the main window: the current directory
// to start in, an existing folder required, no question before
// overwriting. An empty path means the user cancelled.
class ProfileFileDialog {
public:
    virtual ~ProfileFileDialog() = default;
    virtual std::string openPath(ProfileKind kind) = 0;
    virtual std::string savePath(ProfileKind kind) = 0;
};

// --- The menu operations (user-interface thread) ---

// Writes the live record to the chosen file and says how it went.
void SaveSenceConfigToFile(EqualizerManager& manager, ProfileFileDialog& dialog);
// Reads the chosen file into the live record; when it was good, sends it to
// the amplifier and refreshes the page on "SetCurSceneThread".
void LoadSenceConfigFromFile(EqualizerManager& manager, ProfileFileDialog& dialog);
// Reads the amplifier's scenes and live state on "SaveWholeSceneThread",
// then writes them to the chosen file.
void SaveWholeConfigToFile(EqualizerManager& manager, ProfileFileDialog& dialog);
// Reads the chosen file into the live record, the scenes and their names;
// when it was good, sends it all on "SetWholeProfileThread".
void LoadWholeConfigFromFile(EqualizerManager& manager, ProfileFileDialog& dialog);

// --- The workers, each bracketed by WM_SHOW_LOADING / WM_HIDE_LOADING ---

// The live record to the amplifier, then the page (also after an
// auto-saved profile was loaded).
void StartSetCurSceneThread(EqualizerManager& manager);
// Scenes and live record to the amplifier, then the page; the loading box
// stays up a while longer so the amplifier can store its scenes.
void StartSetWholeProfileThread(EqualizerManager& manager);
void StartSaveWholeSceneThread(EqualizerManager& manager, const std::string& path);

// What "SaveWholeSceneThread" does between its loading box and its message:
// reads scenes 1..10 and then the live state from the amplifier and writes
// them with the scene names to `path`. True when the file was written.
bool SaveWholeSceneFromDevice(EqualizerManager& manager, const std::string& path);

// How long the loading box stays up after a whole profile was sent.
inline constexpr int kWholeProfileStoreWaitMs = 20000;

} // namespace dravo
