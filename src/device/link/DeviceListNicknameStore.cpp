#include "DeviceListNicknameStore.h"

#include "DeviceListNaming.h"
#include "IniFile.h"
#include "Log.h"

#include <cstdlib>
#include <system_error>

namespace dravo {
namespace {

constexpr const char* kNicknameSection = "DeviceNickNames";
constexpr const char* kMappingSection = "DeviceMappings";
constexpr std::size_t kMappingMaxUnits = 127;

} // namespace

std::filesystem::path defaultSettingsFile()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "tavrel.ini";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / ".config" / "tavrel.ini";
    std::error_code ec;
    return std::filesystem::current_path(ec) / "tavrel.ini";
}

std::string NicknameStore::nickname(const std::string& displayName) const
{
    const IniFile ini = IniFile::load(mFile);
    const auto stored = ini.get(kNicknameSection, deviceNicknameKey(displayName));
    return cutToUnits(stored ? *stored : displayName, kDeviceNameMaxUnits);
}

bool NicknameStore::save(const std::string& displayName, const std::string& nickname) const
{
    const std::string key = deviceNicknameKey(displayName);
    IniFile ini = IniFile::load(mFile);
    ini.set(kNicknameSection, key, nickname);
    ini.set(kMappingSection, key, cutToUnits(displayName + "|" + nickname, kMappingMaxUnits));
    if (ini.save(mFile))
        return true;
    LogWrite("save device nickname to %s failed\n", mFile.string().c_str());
    return false;
}

} // namespace dravo
