#pragma once
// Which language the program speaks: the two (three with the Russian build
// option) languages of the skin, the index remembered as "lan" in section
// "config" of the settings file, and the user's switch from the option menu.
#include <QString>

#include <filesystem>

namespace dravo {

struct LanguageChoice {
    const char* name; // registered short name
    int index;        // stored in the settings file
};

inline constexpr LanguageChoice kLanguageChoices[] = {
    {"en", 0},
    {"cn_zh", 1},
    {"ru", 2},
};

// The settings file used by the language code; tests point it elsewhere,
// an empty path returns to the user's own.
std::filesystem::path LanguageSettingsFile();
void SetLanguageSettingsFile(std::filesystem::path file);

// "lan" of section "config"; 0 when the file or the value is missing.
int ReadLanguageIndex();

// Registers "lan/lan_en.xml" as "en", "lan/lan_cn.xml" as "cn_zh" (and
// "lan/lan_ru.xml" as "ru" with the Russian option), then selects the stored
// language; an index without a language keeps the first one.
void StartLanguages(bool withRussian = false);

// Makes `name` current, stores `index` and re-translates every text on
// screen. Returns false and changes nothing when `name` is not registered.
bool ChangeLanguage(const QString& name, int index);

// The option menu's language items: "option_item_language" toggles between
// Chinese and English, "option_item_language_en" / "_cn" / "_ru" choose one.
// Returns true when the language changed; choosing the current one, or an
// item that is not a language item, does nothing.
bool ChangeLanguageFromMenu(const QString& itemName);

} // namespace dravo
