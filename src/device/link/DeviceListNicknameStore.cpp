#include "DeviceListNicknameStore.h"

#include "DeviceListNaming.h"
#include "Log.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace dravo {
namespace {

constexpr const char* kNicknameSection = "DeviceNickNames";
constexpr const char* kMappingSection = "DeviceMappings";
constexpr std::size_t kMappingMaxUnits = 127;

// Just enough of the Windows profile-file rules for our two sections:
// "[section]" headers and "key=value" lines, names compared without regard to
// case, values trimmed. Lines we do not touch are written back unchanged.
class IniText {
public:
    static IniText load(const std::filesystem::path& file)
    {
        IniText ini;
        std::ifstream in(file, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            ini.mLines.push_back(line);
        }
        return ini;
    }

    std::optional<std::string> get(std::string_view section, std::string_view key) const
    {
        const auto found = findKey(section, key);
        if (!found)
            return std::nullopt;
        const std::string& line = mLines[*found];
        return trimmedText(std::string_view(line).substr(line.find('=') + 1));
    }

    void set(std::string_view section, std::string_view key, std::string_view value)
    {
        std::string line = std::string(key) + "=" + std::string(value);
        if (const auto found = findKey(section, key)) {
            mLines[*found] = std::move(line);
            return;
        }
        const auto header = findSection(section);
        if (!header) {
            if (!mLines.empty() && !trimmedText(mLines.back()).empty())
                mLines.emplace_back();
            mLines.push_back("[" + std::string(section) + "]");
            mLines.push_back(std::move(line));
            return;
        }
        // After the last non-blank line of the section.
        std::size_t at = *header + 1;
        for (std::size_t i = at; i < mLines.size() && !isHeader(mLines[i]); ++i)
            if (!trimmedText(mLines[i]).empty())
                at = i + 1;
        mLines.insert(mLines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    }

    std::string text() const
    {
        std::string out;
        for (const auto& line : mLines)
            out += line + "\n";
        return out;
    }

private:
    static bool isHeader(const std::string& line)
    {
        const std::string t = trimmedText(line);
        return t.size() >= 2 && t.front() == '[' && t.back() == ']';
    }

    std::optional<std::size_t> findSection(std::string_view section) const
    {
        for (std::size_t i = 0; i < mLines.size(); ++i) {
            if (!isHeader(mLines[i]))
                continue;
            const std::string t = trimmedText(mLines[i]);
            if (sameTextIgnoringCase(trimmedText(std::string_view(t).substr(1, t.size() - 2)), section))
                return i;
        }
        return std::nullopt;
    }

    std::optional<std::size_t> findKey(std::string_view section, std::string_view key) const
    {
        const auto header = findSection(section);
        if (!header)
            return std::nullopt;
        for (std::size_t i = *header + 1; i < mLines.size() && !isHeader(mLines[i]); ++i) {
            const auto eq = mLines[i].find('=');
            if (eq != std::string::npos &&
                sameTextIgnoringCase(trimmedText(std::string_view(mLines[i]).substr(0, eq)), key))
                return i;
        }
        return std::nullopt;
    }

    std::vector<std::string> mLines;
};

// A nickname comes from an edit box; a line break in it would end the value
// and start a line of its own in the file.
std::string singleLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

bool writeWhole(const std::filesystem::path& file, const std::string& text)
{
    std::error_code ec;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    // Written beside and renamed over, so an interrupted save never loses the
    // other sections of the file.
    std::filesystem::path temp = file;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            return false;
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

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
    const IniText ini = IniText::load(mFile);
    const auto stored = ini.get(kNicknameSection, deviceNicknameKey(displayName));
    return cutToUnits(stored ? *stored : displayName, kDeviceNameMaxUnits);
}

bool NicknameStore::save(const std::string& displayName, const std::string& nickname) const
{
    const std::string key = deviceNicknameKey(displayName);
    const std::string nick = singleLine(nickname);
    IniText ini = IniText::load(mFile);
    ini.set(kNicknameSection, key, nick);
    ini.set(kMappingSection, key, cutToUnits(singleLine(displayName) + "|" + nick, kMappingMaxUnits));
    if (writeWhole(mFile, ini.text()))
        return true;
    LogWrite("save device nickname to %s failed\n", mFile.string().c_str());
    return false;
}

} // namespace dravo
