#include "PageText.h"

#include "Languages.h"

namespace dravo {

bool IsLanguageId(const QString& text)
{
    return text.startsWith(QLatin1String("${")) && text.endsWith(QLatin1Char('}')) &&
           text.indexOf(QLatin1Char('}')) == text.size() - 1;
}

QString DisplayedText(const QString& text)
{
    if (!text.contains(QLatin1String("${")))
        return text;
    if (IsLanguageId(text))
        return GetText(text);
    QString shown;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype open = text.indexOf(QLatin1String("${"), pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('}'), open);
        if (close < 0) {
            shown += text.mid(pos);
            return shown;
        }
        shown += text.mid(pos, open - pos);
        shown += GetText(text.mid(open, close - open + 1));
        pos = close + 1;
    }
}

} // namespace dravo
