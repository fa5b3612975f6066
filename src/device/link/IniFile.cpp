#include "IniFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace dravo {
namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool isHeader(std::string_view line)
{
    const std::string_view t = trimmed(line);
    return t.size() >= 2 && t.front() == '[' && t.back() == ']';
}

// Values are single lines; a line break typed into a value would start a line
// of its own in the file.
std::string singleLine(std::string_view value)
{
    std::string s(value);
    std::replace_if(s.begin(), s.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return s;
}

} // namespace

IniFile IniFile::load(const std::filesystem::path& file)
{
    IniFile ini;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ini.mLines.push_back(line);
    }
    return ini;
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < mLines.size(); ++i) {
        if (!isHeader(mLines[i]))
            continue;
        const std::string_view t = trimmed(mLines[i]);
        if (sameName(trimmed(t.substr(1, t.size() - 2)), section))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::findKey(std::string_view section, std::string_view key) const
{
    const auto header = findSection(section);
    if (!header)
        return std::nullopt;
    for (std::size_t i = *header + 1; i < mLines.size() && !isHeader(mLines[i]); ++i) {
        const auto eq = mLines[i].find('=');
        if (eq != std::string::npos && sameName(trimmed(std::string_view(mLines[i]).substr(0, eq)), key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const
{
    const auto at = findKey(section, key);
    if (!at)
        return std::nullopt;
    const std::string& line = mLines[*at];
    return std::string(trimmed(std::string_view(line).substr(line.find('=') + 1)));
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + singleLine(value);
    if (const auto at = findKey(section, key)) {
        mLines[*at] = std::move(line);
        return;
    }
    const auto header = findSection(section);
    if (!header) {
        if (!mLines.empty() && !trimmed(mLines.back()).empty())
            mLines.emplace_back();
        mLines.push_back("[" + std::string(section) + "]");
        mLines.push_back(std::move(line));
        return;
    }
    std::size_t at = *header + 1;
    for (std::size_t i = at; i < mLines.size() && !isHeader(mLines[i]); ++i)
        if (!trimmed(mLines[i]).empty())
            at = i + 1;
    mLines.insert(mLines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool IniFile::save(const std::filesystem::path& file) const
{
    std::error_code ec;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    std::filesystem::path temp = file;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const std::string& line : mLines)
            out << line << '\n';
        if (!out.flush()) {
            out.close();
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace dravo
