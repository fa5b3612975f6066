#include "LanguageFile.h"

#include <QXmlStreamReader>

namespace dravo {

std::optional<LanguageTable> ParseLanguageFile(const QByteArray& xml)
{
    LanguageTable table;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name().compare(QLatin1String("Text"), Qt::CaseInsensitive) != 0)
            continue;
        const auto attrs = reader.attributes();
        if (attrs.hasAttribute(QLatin1String("id")) && attrs.hasAttribute(QLatin1String("value")))
            table.insert(attrs.value(QLatin1String("id")).toString(), attrs.value(QLatin1String("value")).toString());
    }
    // A truncated file is not well-formed either, so it is refused whole
    // rather than registered with half its words.
    if (reader.hasError())
        return std::nullopt;
    return table;
}

} // namespace dravo
