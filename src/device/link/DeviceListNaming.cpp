#include "DeviceListNaming.h"

#include <QString>

#include <cstdio>
#include <regex>

namespace dravo {
namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

} // namespace

std::string trimmedText(std::string_view text)
{
    return toUtf8(toQString(text).trimmed());
}

std::string cutToUnits(std::string_view text, std::size_t units)
{
    QString s = toQString(text);
    if (static_cast<std::size_t>(s.size()) <= units)
        return std::string(text);
    qsizetype keep = static_cast<qsizetype>(units);
    if (keep > 0 && s.at(keep - 1).isHighSurrogate())
        --keep;
    s.truncate(keep);
    return toUtf8(s);
}

std::string deviceDisplayName(const std::optional<std::string>& serialNumber, const std::string& path)
{
    std::string name;
    if (serialNumber)
        name = trimmedText(*serialNumber);
    if (name.empty()) {
        static const std::regex instancePart(R"((\d+)&([0-9a-fA-F]+))", std::regex::ECMAScript);
        std::smatch match;
        if (std::regex_search(path, match, instancePart))
            name = match[1].str();
        else
            name = path;
    }
    return cutToUnits(name, kDeviceNameMaxUnits);
}

std::uint32_t deviceNameHash(std::string_view displayName)
{
    std::uint32_t h = 0;
    for (const QChar c : toQString(displayName))
        h = h * 31u + c.unicode();
    return h;
}

std::string deviceNicknameKey(std::string_view displayName)
{
    char key[16];
    std::snprintf(key, sizeof key, "dev_%08x", deviceNameHash(displayName));
    return key;
}

bool sameTextIgnoringCase(std::string_view a, std::string_view b)
{
    return toQString(a).compare(toQString(b), Qt::CaseInsensitive) == 0;
}

} // namespace dravo
