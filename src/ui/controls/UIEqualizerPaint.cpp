// Drawing the graph: grid, curves of the shown outputs with the selected one
// on top, then the handles and labels of the selected output.
#include "UIEqualizer.h"

#include "CurveGeometry.h"
#include "CurveTrace.h"
#include "Languages.h"

#include <QPaintEvent>
#include <QPainter>

namespace dravo {
namespace {

constexpr int kLabelPixels = 12;      // band numbers, H/L and the information label
constexpr int kBypassPixels = 20;     // the all-bypass text
constexpr int kBypassTextOffset = 40; // below the top edge, not scaled

QFont pixelFont(QFont font, int pixels, int S)
{
    font.setPixelSize(std::max(1, pixels * S / 100));
    return font;
}

QFont scaledFont(QFont font, int S)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, font.pixelSize() * S / 100));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * S / 100.0);
    return font;
}

void drawLabel(QPainter& painter, const QRect& rect, const CurveLook& look, const QString& text)
{
    if (look.endEllipsis) {
        painter.drawText(rect, look.textFlags, painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width()));
        return;
    }
    painter.drawText(rect, look.textFlags, text);
}

// A short one-line text placed in `rect` by the style's alignment, as
// drawText would place it.
void drawAligned(QPainter& painter, const QRect& rect, int flags, const QStaticText& text)
{
    const QSizeF size = text.size();
    double x = rect.left() + (rect.width() - size.width()) / 2;
    if (flags & Qt::AlignLeft)
        x = rect.left();
    else if (flags & Qt::AlignRight)
        x = rect.left() + rect.width() - size.width();
    double y = rect.top() + (rect.height() - size.height()) / 2;
    if (flags & Qt::AlignTop)
        y = rect.top();
    else if (flags & Qt::AlignBottom)
        y = rect.top() + rect.height() - size.height();
    painter.drawStaticText(QPointF(x, y), text);
}

} // namespace

void UIEqualizer::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        invalidateUnderlay();
    QWidget::changeEvent(event);
}

void UIEqualizer::paintEvent(QPaintEvent*)
{
    // The program's display scale may have changed under a control that follows it.
    if (!mLayoutValid || mLaidOutScale != S())
        layoutAll();
    else
        layoutMoving();

    QPainter painter(this);
    paintUnderlay(painter);
    // The selected output's curve is drawn whether or not it is marked
    // shown: it is the one being edited.
    if (mCurrentChannel >= 0 && mCurrentChannel < kChannels)
        paintCurve(painter, mCurrentChannel, S() * 2 / 100.0);
    paintLabels(painter);
}

void UIEqualizer::paintUnderlay(QPainter& painter)
{
    // A language switch repaints without telling the control.
    const QString bypassText = mAllBypass && mLogo.isNull() ? GetText(QStringLiteral("${all_bypass}")) : QString();
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!mUnderlayValid || bypassText != mUnderlayBypassText || mUnderlay.size() != pixels ||
        mUnderlay.devicePixelRatioF() != ratio) {
        mUnderlayBypassText = bypassText;
        // An opaque background makes an opaque image, which draws faster.
        const bool opaque = qAlpha(mLook.background.value_or(curve_colors::kBackground)) == 255;
        const QImage::Format format = opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
        if (mUnderlay.size() != pixels || mUnderlay.format() != format)
            mUnderlay = QImage(pixels, format);
        if (!opaque)
            mUnderlay.fill(Qt::transparent);
        mUnderlay.setDevicePixelRatio(ratio);
        QPainter under(&mUnderlay);
        under.setFont(font());
        paintGrid(under);
        const double width = otherCurveWidth();
        for (int c = 0; c < kChannels; ++c)
            if (c != mCurrentChannel && mShown[std::size_t(c)])
                paintCurve(under, c, width);
        mUnderlayValid = true;
    }
    painter.drawImage(QPointF(0, 0), mUnderlay);
}

double UIEqualizer::otherCurveWidth() const
{
    // Thinner beside a selected curve that has a colour of its own.
    return S() * (mLook.hasCurveColor(mCurrentChannel) ? 2 : 3) / 100.0;
}

void UIEqualizer::paintGrid(QPainter& painter) const
{
    const PlotAxes& a = mAxes;
    const QRect plot = fromEdges(a.left, a.top, a.right, a.bottom);
    painter.fillRect(plot, QColor::fromRgba(mLook.background.value_or(curve_colors::kBackground)));

    // Grid lines sit on whole pixels; smoothing would only blur them.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int lineWidth = S() / 100;
    const QColor grid = QColor::fromRgba(curve_colors::kGrid);
    const QPen solid(grid, lineWidth);
    painter.setPen(solid);
    painter.setBrush(Qt::NoBrush);
    const int inset = std::max(1, lineWidth);
    painter.drawRect(QRectF(a.left + inset / 2.0, a.top + inset / 2.0, a.width() - inset, a.height() - inset));

    const int y0 = static_cast<int>(a.y0);
    painter.drawLine(a.left, y0, a.right, y0);

    painter.setPen(QPen(grid, lineWidth, Qt::DotLine));
    for (int db : kGridLevels) {
        const int y = a.yOf(db);
        painter.drawLine(a.left, y, a.right, y);
    }

    painter.setPen(solid);
    for (int hz : kGridFrequencies) {
        if (hz == kAxisMaxHz)
            continue;
        const int x = a.xOf(hz);
        painter.drawLine(x, a.top, x, a.bottom);
    }

    if (!mLogo.isNull()) {
        QRect target(QPoint(0, 0), mLogo.deviceIndependentSize().toSize());
        target.moveCenter(plot.center());
        painter.drawPixmap(target, mLogo);
    } else if (mAllBypass) {
        QFont bypassFont = pixelFont(font(), kBypassPixels, S());
        bypassFont.setBold(true);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QColor::fromRgba(curve_colors::kBypassText));
        painter.setFont(mLook.bypassFont ? scaledFont(*mLook.bypassFont, S()) : bypassFont);
        drawLabel(painter, fromEdges(a.left, a.top + kBypassTextOffset, a.right, a.bottom), mLook,
                  mUnderlayBypassText);
    }
}

void UIEqualizer::paintCurve(QPainter& painter, int c, double width)
{
    CurveSlot& slot = mCurves[std::size_t(c)];
    if (!slot.traced) {
        const CurveTrace trace =
            traceCurve(mAxes, slot.frequency.data(), slot.magnitude.data(), slot.phase.data(), slot.points);
        slot.magnitudeLines = flattened(bezierChain(trace.magnitude));
        slot.phaseLines = flattened(bezierChain(trace.phase));
        slot.traced = true;
    }
    // Anything within a pen width of the plot may still touch it.
    const QRectF area = QRectF(rect()).adjusted(-width, -width, width, width);
    if (slot.magnitudeLines.empty())
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Square caps close the joints between the short pieces.
    const QPen pen(mLook.curveColor(c, c == mCurrentChannel), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    std::vector<QLineF> magnitude = slot.magnitudeLines;
    cullOutside(magnitude, area);
    painter.drawLines(magnitude.data(), int(magnitude.size()));
    if (mPhaseShown) {
        // Dashes of four pen widths and gaps of two, once the caps are counted.
        const double w = std::max(width, 1.0);
        std::vector<QLineF> dashes = dashed(slot.phaseLines, 3 * w, 3 * w);
        cullOutside(dashes, area);
        painter.drawLines(dashes.data(), int(dashes.size()));
    }
}

void UIEqualizer::paintLabels(QPainter& painter)
{
    const int s = S();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const QFont labelFont = testAttribute(Qt::WA_SetFont) ? font() : pixelFont(font(), kLabelPixels, s);
    painter.setFont(labelFont);
    if (mNumberTexts.empty() || mNumberFont != labelFont) {
        // 1 … 31, then "H" and "L".
        mNumberTexts.clear();
        for (int i = 1; i <= kMaxBands + 2; ++i) {
            QStaticText text(i <= kMaxBands ? QString::number(i) : QString::fromLatin1(i == kMaxBands + 1 ? "H" : "L"));
            text.setTextFormat(Qt::PlainText);
            text.prepare(QTransform(), labelFont);
            mNumberTexts.push_back(text);
        }
        mNumberFont = labelFont;
    }
    const QColor selected = QColor::fromRgba(curve_colors::kSelected);
    const QColor plain = QColor::fromRgba(curve_colors::kLabel);

    for (int i = 0; i < bandCount(); ++i) {
        painter.setPen(i == mCurrentControlIndex ? selected : plain);
        drawAligned(painter, mBands[std::size_t(i)].rect, mLook.textFlags, mNumberTexts[std::size_t(i)]);
    }

    if (validSelection()) {
        painter.setPen(selected);
        drawLabel(painter, mInfoRect, mLook, mInfoText);
        if (mDragAllDirection) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(selected, s / 100));
            painter.drawRect(mQLeft.adjusted(0, 0, -1, -1));
            painter.drawRect(mQRight.adjusted(0, 0, -1, -1));
            painter.setRenderHint(QPainter::Antialiasing, true);
        }
    }

    if (mHpFreq != -1) {
        painter.setPen(mCapture == HpCaptured ? selected : plain);
        drawAligned(painter, mHpRect, mLook.textFlags, mNumberTexts[kMaxBands]);
    }
    if (mLpFreq != -1) {
        painter.setPen(mCapture == LpCaptured ? selected : plain);
        drawAligned(painter, mLpRect, mLook.textFlags, mNumberTexts[kMaxBands + 1]);
    }
}

} // namespace dravo
