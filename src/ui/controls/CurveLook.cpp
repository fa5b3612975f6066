#include "CurveLook.h"

namespace dravo {
namespace {

bool isTrue(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return value.toString().trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

constexpr int kHorizontal = int(Qt::AlignLeft) | int(Qt::AlignHCenter) | int(Qt::AlignRight);
constexpr int kVertical = int(Qt::AlignTop) | int(Qt::AlignVCenter) | int(Qt::AlignBottom);

struct AlignWord {
    const char* word;
    int flag;
};
constexpr AlignWord kAlignWords[] = {
    {"left", int(Qt::AlignLeft)}, {"center", int(Qt::AlignHCenter)}, {"right", int(Qt::AlignRight)}};
constexpr AlignWord kValignWords[] = {
    {"top", int(Qt::AlignTop)}, {"vcenter", int(Qt::AlignVCenter)}, {"center", int(Qt::AlignVCenter)},
    {"bottom", int(Qt::AlignBottom)}};

// The first word of the table found in the value replaces the alignment of
// that direction; a value naming none keeps it.
template <std::size_t N>
int applyAlign(int flags, const QString& value, const AlignWord (&words)[N], int mask)
{
    for (const AlignWord& w : words)
        if (value.contains(QLatin1String(w.word), Qt::CaseInsensitive))
            return (flags & ~mask) | w.flag;
    return flags;
}

} // namespace

std::optional<QRgb> parseArgb(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1Char('#')))
        digits.remove(0, 1);
    if (digits.size() != 8 && digits.size() != 6)
        return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    // Six digits are a colour written without alpha: meant to be seen.
    return digits.size() == 6 ? (0xFF000000u | value) : value;
}

CurveColors parseCurveColors(const QString& text)
{
    CurveColors colors{};
    const QStringList entries = text.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    std::size_t i = 0;
    for (const QString& entry : entries) {
        if (entry.trimmed().isEmpty())
            continue;
        if (i >= colors.size())
            break;
        colors[i++] = parseArgb(entry);
    }
    return colors;
}

bool CurveLook::apply(const QByteArray& name, const QVariant& value)
{
    if (name == "curvecolor") {
        curveColors = parseCurveColors(value.toString());
    } else if (name == "curvelogo") {
        logo = value.toString().trimmed();
    } else if (name == "bypassfont") {
        if (value.typeId() == QMetaType::QFont)
            bypassFont = value.value<QFont>();
        else
            bypassFont.reset();
    } else if (name == "bkcolor") {
        background = parseArgb(value.toString());
    } else if (name == "align") {
        textFlags = applyAlign(textFlags, value.toString(), kAlignWords, kHorizontal);
    } else if (name == "valign") {
        textFlags = applyAlign(textFlags, value.toString(), kValignWords, kVertical);
    } else if (name == "endellipsis") {
        endEllipsis = isTrue(value);
    } else if (name == "wordbreak") {
        if (isTrue(value))
            textFlags = (textFlags & ~int(Qt::TextSingleLine)) | int(Qt::TextWordWrap);
        else
            textFlags = (textFlags & ~int(Qt::TextWordWrap)) | int(Qt::TextSingleLine);
    } else if (name == "noprefix") {
        // Qt draws '&' as it is unless asked otherwise; kept for the layout.
        noPrefix = isTrue(value);
    } else if (name == "textcolor") {
        textColor = value.toString();
    } else if (name == "disabledtextcolor") {
        disabledTextColor = value.toString();
    } else if (name == "textpadding") {
        textPadding = value.toString();
    } else if (name == "autocalcwidth") {
        autoCalcWidth = isTrue(value);
    } else {
        return false;
    }
    return true;
}

bool CurveLook::hasCurveColor(int channel) const
{
    return channel >= 0 && channel < int(curveColors.size()) && curveColors[std::size_t(channel)].has_value();
}

QColor CurveLook::curveColor(int channel, bool current) const
{
    if (hasCurveColor(channel))
        return QColor::fromRgba(*curveColors[std::size_t(channel)]);
    return QColor::fromRgba(current ? curve_colors::kCurrentCurve : curve_colors::kOtherCurve);
}

} // namespace dravo
