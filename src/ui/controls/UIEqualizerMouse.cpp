// Dragging on the graph: band handles (frequency and gain), the Q handles of
// the selected band, and the crossover handles. Every value changes in this
// control's copy first and is announced; the owner applies it.
#include "UIEqualizer.h"

#include "CurveGeometry.h"
#include "CurveNotifications.h"

#include <QMouseEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace dravo {
namespace {

// Without the other handle a crossover handle may go anywhere on the axis.
int upperOf(int lpFreq)
{
    return lpFreq != -1 ? lpFreq : INT_MAX;
}

int lowerOf(int hpFreq)
{
    return hpFreq != -1 ? hpFreq : INT_MIN;
}

} // namespace

QPoint UIEqualizer::clamped(const QPoint& p) const
{
    return {std::clamp(p.x(), mAxes.left, std::max(mAxes.left, mAxes.right)),
            std::clamp(p.y(), mAxes.top, std::max(mAxes.top, mAxes.bottom))};
}

double UIEqualizer::factorFromPointer(int px) const
{
    return qFromDistance(px - mBands[std::size_t(mCurrentControlIndex)].x, S());
}

void UIEqualizer::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || mCapture != NoCapture)
        return;
    const QPoint p = event->position().toPoint();

    // A Q handle lying over a band handle wins: it is only there for the
    // selected band, and the band can still be caught beside it.
    if (mDragAllDirection && validSelection() && (mQLeft.contains(p) || mQRight.contains(p))) {
        setCursor(Qt::SizeHorCursor);
        mCapture = FactorCaptured;
        return;
    }
    for (int i = 0; i < bandCount(); ++i) {
        if (!mBands[std::size_t(i)].rect.contains(p))
            continue;
        setCursor(mDragAllDirection ? Qt::SizeAllCursor : Qt::SizeVerCursor);
        selectBand(i);
        mCapture = IndexCaptured;
        layoutSelection();
        update();
        return;
    }
    if (mHpFreq != -1 && mHpRect.contains(p)) {
        setCursor(Qt::SizeHorCursor);
        mCurrentControlIndex = -1;
        mCapture = HpCaptured;
        update();
        return;
    }
    if (mLpFreq != -1 && mLpRect.contains(p)) {
        setCursor(Qt::SizeHorCursor);
        mCurrentControlIndex = -1;
        mCapture = LpCaptured;
        update();
    }
}

void UIEqualizer::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = event->position().toPoint();
    switch (mCapture) {
    case NoCapture:
        updateHoverCursor(p);
        return;
    case IndexCaptured:
        dragBand(p, false);
        return;
    case FactorCaptured: {
        if (!validSelection())
            return;
        DisplayBand& band = mBands[std::size_t(mCurrentControlIndex)].band;
        const double q = factorFromPointer(clamped(p).x());
        if (std::abs(band.q - q) >= 0.01) {
            band.q = static_cast<float>(q);
            update();
            send(curve_notify::kEq);
        }
        return;
    }
    case HpCaptured: {
        const int hz = mAxes.hzOf(clamped(p).x());
        if (hz < upperOf(mLpFreq) && hz != mHpFreq) {
            mHpFreq = hz;
            update();
            send(curve_notify::kHp);
        }
        return;
    }
    case LpCaptured: {
        const int hz = mAxes.hzOf(clamped(p).x());
        if (hz > lowerOf(mHpFreq) && hz != mLpFreq) {
            mLpFreq = hz;
            update();
            send(curve_notify::kLp);
        }
        return;
    }
    }
}

void UIEqualizer::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    // The drag is over before the owner hears of it, so whatever the owner
    // does in answer finds the control at rest.
    const Capture was = mCapture;
    mCapture = NoCapture;
    update();
    switch (was) {
    case NoCapture:
        return;
    case IndexCaptured:
        setCursor(Qt::PointingHandCursor);
        dragBand(p, true);
        return;
    case FactorCaptured:
        setCursor(Qt::ArrowCursor);
        if (validSelection()) {
            mBands[std::size_t(mCurrentControlIndex)].band.q = static_cast<float>(factorFromPointer(clamped(p).x()));
            send(curve_notify::kEqRelease);
        }
        return;
    case HpCaptured: {
        setCursor(Qt::ArrowCursor);
        const int hz = mAxes.hzOf(clamped(p).x());
        if (hz < upperOf(mLpFreq))
            mHpFreq = hz;
        send(curve_notify::kHpRelease);
        return;
    }
    case LpCaptured: {
        setCursor(Qt::ArrowCursor);
        const int hz = mAxes.hzOf(clamped(p).x());
        if (hz > lowerOf(mHpFreq))
            mLpFreq = hz;
        send(curve_notify::kLpRelease);
        return;
    }
    }
}

void UIEqualizer::dragBand(const QPoint& pointer, bool final)
{
    if (!validSelection())
        return;
    const QPoint p = clamped(pointer);
    BandHandle& h = mBands[std::size_t(mCurrentControlIndex)];
    if (mDragAllDirection)
        h.x = p.x();
    // A band without gain (all-pass and the like) keeps its gain: only its
    // frequency follows the pointer.
    const bool hasGain = h.band.type == 0;
    if (hasGain)
        h.y = p.y();
    const int hz = mAxes.hzOf(p.x());
    const float db = static_cast<float>(mAxes.dbOf(h.y));

    if (final) {
        if (mDragAllDirection)
            h.band.freq = hz;
        if (hasGain)
            h.band.gain = db;
        h.rect = dravo::bandHandleRect(mAxes, h.x, h.y, S());
        send(curve_notify::kEqRelease);
        return;
    }

    bool gainChanged = false;
    if (hasGain && std::abs(h.band.gain - db) > 0.001f) {
        h.band.gain = db;
        gainChanged = true;
    }
    const bool freqChanged = mDragAllDirection && hz != h.band.freq;
    if (freqChanged)
        h.band.freq = hz;
    update();
    if (freqChanged || gainChanged)
        send(curve_notify::kEq);
}

void UIEqualizer::updateHoverCursor(const QPoint& p)
{
    for (int i = 0; i < bandCount(); ++i) {
        if (!mBands[std::size_t(i)].rect.contains(p))
            continue;
        setCursor(Qt::PointingHandCursor);
        if (i != mCurrentControlIndex) {
            selectBand(i);
            layoutSelection();
            update();
            send(curve_notify::kEq);
        }
        return;
    }
    const bool overQ = mDragAllDirection && validSelection() && (mQLeft.contains(p) || mQRight.contains(p));
    const bool overCrossover = (mHpFreq != -1 && mHpRect.contains(p)) || (mLpFreq != -1 && mLpRect.contains(p));
    if (overQ || overCrossover)
        setCursor(Qt::SizeHorCursor);
    else
        setCursor(Qt::ArrowCursor);
}

} // namespace dravo
