#include "DisplayScale.h"

#include "ImageVariants.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace dravo {
namespace {

DisplayScale gCurrent;

} // namespace

DisplayScale::DisplayScale(int dpi) : mDpi(dpi > 0 ? dpi : kBaseDpi) {}

int DisplayScale::scale(int value) const
{
    return static_cast<int>(std::lround(value * factor()));
}

QSize DisplayScale::scale(const QSize& size) const
{
    return {scale(size.width()), scale(size.height())};
}

QRect DisplayScale::scale(const QRect& rect) const
{
    return {scale(rect.x()), scale(rect.y()), scale(rect.width()), scale(rect.height())};
}

QMargins DisplayScale::scale(const QMargins& m) const
{
    return {scale(m.left()), scale(m.top()), scale(m.right()), scale(m.bottom())};
}

QFont DisplayScale::scale(const QFont& font) const
{
    QFont scaled = font;
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, scale(font.pixelSize())));
    else if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * factor());
    return scaled;
}

QString DisplayScale::scaleStyleSheet(const QString& styleSheet) const
{
    static const QRegularExpression px(QStringLiteral("(\\d+(?:\\.\\d+)?)px"));
    QString out;
    out.reserve(styleSheet.size());
    qsizetype last = 0;
    for (auto it = px.globalMatch(styleSheet); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(styleSheet).mid(last, m.capturedStart() - last);
        const double value = m.captured(1).toDouble() * factor();
        // A hairline stays at least one pixel wide.
        const long rounded = std::max(value > 0 ? 1L : 0L, std::lround(value));
        out += QString::number(rounded) + QStringLiteral("px");
        last = m.capturedEnd();
    }
    out += QStringView(styleSheet).mid(last);
    return out;
}

int DisplayScale::imagePercent() const
{
    return imagePercentForDpi(mDpi);
}

QString DisplayScale::imageVariant(const QString& imageName) const
{
    const int percent = imagePercent();
    if (percent == 100)
        return imageName;
    const qsizetype slash = imageName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = imageName.lastIndexOf(QLatin1Char('.'));
    const qsizetype at = dot > slash ? dot : imageName.size();
    QString variant = imageName;
    variant.insert(at, QString::fromStdString(imageSuffixForPercent(percent)));
    return variant;
}

const DisplayScale& CurrentDisplayScale()
{
    return gCurrent;
}

void SetCurrentDisplayScale(const DisplayScale& scale)
{
    gCurrent = scale;
}

} // namespace dravo
