#pragma once
// The device nicknames in the settings file "tavrel.ini": section
// "DeviceNickNames" maps the device's key to its nickname (the only part read
// back), section "DeviceMappings" maps the key to "name|nickname" for people
// reading the file. Other sections of the file are left as they are.
#include <filesystem>
#include <string>

namespace dravo {

// "tavrel.ini" in $XDG_CONFIG_HOME, else in ~/.config, else in the working
// directory.
std::filesystem::path defaultSettingsFile();

class NicknameStore {
public:
    explicit NicknameStore(std::filesystem::path file = defaultSettingsFile()) : mFile(std::move(file)) {}

    const std::filesystem::path& file() const { return mFile; }
    void setFile(std::filesystem::path file) { mFile = std::move(file); }

    // The stored nickname (at most 63 units), or the display name itself when
    // the file or the key is missing.
    std::string nickname(const std::string& displayName) const;

    // Returns whether the file was written.
    bool save(const std::string& displayName, const std::string& nickname) const;

private:
    std::filesystem::path mFile;
};

} // namespace dravo
