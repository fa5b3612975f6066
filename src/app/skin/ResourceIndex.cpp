#include "ResourceIndex.h"

#include <QXmlStreamReader>

namespace dravo {

std::optional<ResourceIndex> ParseResourceIndex(const QByteArray& xml)
{
    ResourceIndex index;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name().compare(QLatin1String("Layout"), Qt::CaseInsensitive) != 0)
            continue;
        const auto attrs = reader.attributes();
        const QString id = attrs.value(QLatin1String("id")).toString();
        const QString file = attrs.value(QLatin1String("file")).toString();
        if (!id.isEmpty() && !file.isEmpty())
            index.insert(id, file);
    }
    if (reader.hasError())
        return std::nullopt;
    return index;
}

} // namespace dravo
