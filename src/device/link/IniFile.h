#pragma once
// Reads and changes single values of the settings file "tavrel.ini" (device
// nicknames, the language) in the Windows profile-file form ("[section]" headers, "key=value" lines, names
// compared without regard to case, values trimmed). The file is shared with
// the device nicknames, so every line this code does not change is written
// back exactly as it was; QSettings would rewrite the whole file in its own
// form.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravo {

class IniFile {
public:
    static IniFile load(const std::filesystem::path& file);

    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Writes beside and renames over, so an interrupted save leaves the old
    // file whole. Creates the folder when needed.
    bool save(const std::filesystem::path& file) const;

private:
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const;

    std::vector<std::string> mLines;
};

// Section "config" of the settings file.
inline constexpr const char* kConfigSection = "config";

} // namespace dravo
