// Drawing the graph: grid, curves of the shown outputs with the selected one
// on top, then the handles and labels of the selected output.
#include "UIEqualizer.h"

#include "CurveGeometry.h"
#include "CurveTrace.h"
#include "Languages.h"

#include <QPainter>
#include <QPaintEvent>

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

} // namespace

void UIEqualizer::paintEvent(QPaintEvent*)
{
    if (!mLayoutValid)
        layoutAll();
    else
        layoutMoving();

    QPainter painter(this);
    paintGrid(painter);
    paintCurves(painter);
    paintLabels(painter);
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
    QPen solid(grid, lineWidth);
    painter.setPen(solid);
    painter.setBrush(Qt::NoBrush);
    const int inset = std::max(1, lineWidth);
    painter.drawRect(QRectF(a.left + inset / 2.0, a.top + inset / 2.0, a.width() - inset, a.height() - inset));

    const int y0 = static_cast<int>(a.y0);
    painter.drawLine(a.left, y0, a.right, y0);

    QPen dotted(grid, lineWidth, Qt::DotLine);
    painter.setPen(dotted);
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
        const QRect area = fromEdges(a.left, a.top, a.right, a.bottom);
        QRect target(QPoint(0, 0), mLogo.deviceIndependentSize().toSize());
        target.moveCenter(area.center());
        painter.drawPixmap(target, mLogo);
    } else if (mAllBypass) {
        painter.setPen(QColor::fromRgba(curve_colors::kBypassText));
        painter.setFont(mLook.bypassFont ? scaledFont(*mLook.bypassFont, S())
                                         : [&] {
                                               QFont f = pixelFont(font(), kBypassPixels, S());
                                               f.setBold(true);
                                               return f;
                                           }());
        drawLabel(painter, fromEdges(a.left, a.top + kBypassTextOffset, a.right, a.bottom), mLook,
                  GetText(QStringLiteral("${all_bypass}")));
    }
}

void UIEqualizer::paintCurves(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int s = S();
    const bool currentValid = mCurrentChannel >= 0 && mCurrentChannel < kChannels;
    const double otherWidth = s * (mLook.hasCurveColor(mCurrentChannel) ? 2 : 3) / 100.0;
    const double currentWidth = s * 2 / 100.0;

    auto draw = [&](int c, double width) {
        CurveSlot& slot = mCurves[std::size_t(c)];
        if (!slot.traced) {
            const CurveTrace trace = traceCurve(mAxes, slot.frequency.data(), slot.magnitude.data(),
                                                slot.phase.data(), slot.points);
            slot.magnitudePath = bezierChain(trace.magnitude);
            slot.phasePath = bezierChain(trace.phase);
            slot.traced = true;
        }
        if (slot.magnitudePath.isEmpty())
            return;
        const QColor color = mLook.curveColor(c, c == mCurrentChannel);
        QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(slot.magnitudePath);
        if (mPhaseShown) {
            pen.setStyle(Qt::DashLine);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawPath(slot.phasePath);
        }
    };

    for (int c = 0; c < kChannels; ++c)
        if (c != mCurrentChannel && mShown[std::size_t(c)])
            draw(c, otherWidth);
    // The selected output is drawn whether or not it is marked shown: it is
    // the one being edited.
    if (currentValid)
        draw(mCurrentChannel, currentWidth);
}

void UIEqualizer::paintLabels(QPainter& painter) const
{
    const int s = S();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(testAttribute(Qt::WA_SetFont) ? font() : pixelFont(font(), kLabelPixels, s));
    const QColor selected = QColor::fromRgba(curve_colors::kSelected);
    const QColor plain = QColor::fromRgba(curve_colors::kLabel);

    for (int i = 0; i < bandCount(); ++i) {
        const BandHandle& h = mBands[std::size_t(i)];
        painter.setPen(i == mCurrentControlIndex ? selected : plain);
        drawLabel(painter, h.rect, mLook, h.label);
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
        drawLabel(painter, mHpRect, mLook, QStringLiteral("H"));
    }
    if (mLpFreq != -1) {
        painter.setPen(mCapture == LpCaptured ? selected : plain);
        drawLabel(painter, mLpRect, mLook, QStringLiteral("L"));
    }
}

} // namespace dravo
