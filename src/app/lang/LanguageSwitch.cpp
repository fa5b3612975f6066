#include "LanguageSwitch.h"

#include "DeviceListNicknameStore.h"
#include "IniFile.h"
#include "Languages.h"
#include "Log.h"
#include "Retranslate.h"

#include <cstdlib>
#include <optional>

namespace dravo {
namespace {

constexpr const char* kLanguageKey = "lan";

struct LanguageFile {
    const char* path;
    const char* name;
};

constexpr LanguageFile kLanguageFiles[] = {
    {"lan/lan_en.xml", "en"},
    {"lan/lan_cn.xml", "cn_zh"},
};
constexpr LanguageFile kRussianFile = {"lan/lan_ru.xml", "ru"};

struct MenuLanguage {
    const char* item;
    LanguageChoice choice;
};

constexpr MenuLanguage kMenuLanguages[] = {
    {"option_item_language_en", kLanguageChoices[0]},
    {"option_item_language_cn", kLanguageChoices[1]},
    {"option_item_language_ru", kLanguageChoices[2]},
};
constexpr const char* kToggleItem = "option_item_language";

std::filesystem::path& settingsOverride()
{
    static std::filesystem::path file;
    return file;
}

std::optional<LanguageChoice> choiceForIndex(int index)
{
    for (const LanguageChoice& c : kLanguageChoices)
        if (c.index == index)
            return c;
    return std::nullopt;
}

} // namespace

std::filesystem::path LanguageSettingsFile()
{
    return settingsOverride().empty() ? defaultSettingsFile() : settingsOverride();
}

void SetLanguageSettingsFile(std::filesystem::path file)
{
    settingsOverride() = std::move(file);
}

int ReadLanguageIndex()
{
    const auto value = IniFile::load(LanguageSettingsFile()).get(kConfigSection, kLanguageKey);
    // Read the way the profile-file functions read a number: its leading
    // digits, 0 when there are none.
    return value ? static_cast<int>(std::strtol(value->c_str(), nullptr, 10)) : 0;
}

void StartLanguages(bool withRussian)
{
    for (const LanguageFile& f : kLanguageFiles)
        RegisterLanguage(QString::fromLatin1(f.path), QString::fromLatin1(f.name));
    if (withRussian)
        RegisterLanguage(QString::fromLatin1(kRussianFile.path), QString::fromLatin1(kRussianFile.name));
    if (const auto choice = choiceForIndex(ReadLanguageIndex()))
        SetLanguage(QString::fromLatin1(choice->name));
}

bool ChangeLanguage(const QString& name, int index)
{
    const QByteArray indexText = QByteArray::number(index);
    LogWrite("change language to %s - %s\n", name.toUtf8().constData(), indexText.constData());
    if (!SetLanguage(name)) {
        LogWrite("language %s is not registered\n", name.toUtf8().constData());
        return false;
    }
    IniFile ini = IniFile::load(LanguageSettingsFile());
    ini.set(kConfigSection, kLanguageKey, indexText.toStdString());
    if (!ini.save(LanguageSettingsFile()))
        LogWrite("language choice cannot be stored in %s\n", LanguageSettingsFile().string().c_str());
    RetranslateAll();
    LogWrite("change language finish\n");
    return true;
}

bool ChangeLanguageFromMenu(const QString& itemName)
{
    std::optional<LanguageChoice> target;
    if (itemName == QLatin1String(kToggleItem)) {
        target = CurrentLanguage() == QLatin1String(kLanguageChoices[1].name) ? kLanguageChoices[0]
                                                                             : kLanguageChoices[1];
    } else {
        for (const MenuLanguage& m : kMenuLanguages)
            if (itemName == QLatin1String(m.item))
                target = m.choice;
    }
    if (!target || CurrentLanguage() == QLatin1String(target->name))
        return false;
    return ChangeLanguage(QString::fromLatin1(target->name), target->index);
}

} // namespace dravo
