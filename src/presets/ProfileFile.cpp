#include "ProfileFile.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

namespace dravo {

std::optional<std::string> readProfileFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    std::string text(static_cast<std::size_t>(size), '\0');
    if (size > 0 && file.read(text.data(), size) != size)
        return std::nullopt;
    return text;
}

bool writeProfileFile(const std::string& path, const std::string& text)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace dravo
