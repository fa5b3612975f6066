#include "UIEqualizer.h"

#include "CurveGeometry.h"
#include "DisplayScale.h"
#include "Log.h"
#include "Skin.h"

#include <QDynamicPropertyChangeEvent>
#include <QEvent>

#include <algorithm>
#include <tuple>

namespace dravo {

UIEqualizer::UIEqualizer(QWidget* parent) : QWidget(parent)
{
    // Hovering a band selects it, so moves matter without a button held.
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Owners act on a notification only when its user data names a band
    // (0 or more); the crossover handles can be dragged before any band was
    // ever selected, and their notifications must not be dropped for that.
    setProperty("userdata", QStringLiteral("0"));
}

UIEqualizer::~UIEqualizer() = default;

// --- What the owner hands over ---------------------------------------------

void UIEqualizer::setBands(const std::vector<DisplayBand>& bands)
{
    const std::size_t count = std::min<std::size_t>(bands.size(), kMaxBands);
    mBands.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        mBands[i].band = bands[i];
    setAllBypassed(
        std::all_of(mBands.begin(), mBands.end(), [](const BandHandle& h) { return h.band.gain == 0.0f; }));
    if (!validSelection())
        mCurrentControlIndex = -1;
    layoutAll();
    update();
}

void UIEqualizer::setCrossover(int hpFreq, int lpFreq)
{
    mHpFreq = onAxis(hpFreq) ? hpFreq : -1;
    mLpFreq = onAxis(lpFreq) ? lpFreq : -1;
    layoutCrossover();
    update();
}

void UIEqualizer::setCurves(const std::array<CurveView, 12>& curves, const std::array<int, 12>& shown,
                            int selectedOutput)
{
    // Most calls change one or two outputs (the dragged one and those that
    // follow it); the others keep their traces and the underlay.
    bool underlayChanged = selectedOutput != mCurrentChannel;
    for (std::size_t c = 0; c < mCurves.size(); ++c) {
        CurveSlot& slot = mCurves[c];
        const CurveView& view = curves[c];
        const bool usable = view.frequency && view.magnitude && view.phase && view.points > 0;
        const int points = usable ? std::min(view.points, kCurvePoints) : 0;
        const bool same = points == slot.points &&
                          std::equal(slot.frequency.begin(), slot.frequency.begin() + points, view.frequency) &&
                          std::equal(slot.magnitude.begin(), slot.magnitude.begin() + points, view.magnitude) &&
                          std::equal(slot.phase.begin(), slot.phase.begin() + points, view.phase);
        const bool nowShown = shown[c] != 0;
        if (nowShown != mShown[c] && int(c) != selectedOutput)
            underlayChanged = true;
        mShown[c] = nowShown;
        if (same)
            continue;
        slot.traced = false;
        slot.points = points;
        std::copy_n(view.frequency, points, slot.frequency.begin());
        std::copy_n(view.magnitude, points, slot.magnitude.begin());
        std::copy_n(view.phase, points, slot.phase.begin());
        if (int(c) != selectedOutput && nowShown)
            underlayChanged = true;
    }
    mCurrentChannel = selectedOutput;
    if (underlayChanged)
        invalidateUnderlay();
    update();
}

void UIEqualizer::setSelectedBand(int band)
{
    if (band >= 0 && band < bandCount())
        selectBand(band);
    else
        mCurrentControlIndex = -1;
    layoutSelection();
    update();
}

void UIEqualizer::setParametric(bool parametric)
{
    if (mDragAllDirection == parametric)
        return;
    mDragAllDirection = parametric;
    layoutSelection();
    update();
}

void UIEqualizer::setAllBypassed(bool bypassed)
{
    if (mAllBypass != bypassed)
        invalidateUnderlay();
    mAllBypass = bypassed;
    update();
}

DisplayBand UIEqualizer::band(int index) const
{
    if (index < 0 || index >= bandCount())
        return {};
    return mBands[std::size_t(index)].band;
}

// --- Look --------------------------------------------------------------------

void UIEqualizer::setPhaseShown(bool shown)
{
    mPhaseShown = shown;
    invalidateUnderlay();
    update();
}

void UIEqualizer::setScalePercent(int percent)
{
    mScalePercent = std::max(0, percent);
    mLayoutValid = false;
    invalidateUnderlay();
    retrace();
    layoutAll();
    update();
}

int UIEqualizer::scalePercent() const
{
    return mScalePercent > 0 ? mScalePercent : CurrentDisplayScale().imagePercent();
}

QRect UIEqualizer::bandHandleRect(int index) const
{
    if (index < 0 || index >= bandCount())
        return {};
    return mBands[std::size_t(index)].rect;
}

// --- Layout --------------------------------------------------------------------

void UIEqualizer::layoutAll()
{
    mAxes = PlotAxes::over(0, 0, width(), height());
    mLayoutValid = mAxes.usable();
    if (mLaidOutScale != S())
        invalidateUnderlay();
    mLaidOutScale = S();
    for (std::size_t i = 0; i < mBands.size(); ++i) {
        BandHandle& h = mBands[i];
        h.x = mAxes.xOf(h.band.freq);
        h.y = mAxes.yOf(h.band.gain);
        h.rect = dravo::bandHandleRect(mAxes, h.x, h.y, S());
    }
    layoutSelection();
    layoutCrossover();
}

void UIEqualizer::layoutMoving()
{
    if (validSelection())
        layoutBand(mCurrentControlIndex);
    layoutSelection();
    layoutCrossover();
}

void UIEqualizer::layoutBand(int index)
{
    BandHandle& h = mBands[std::size_t(index)];
    h.rect = dravo::bandHandleRect(mAxes, h.x, h.y, S());
}

void UIEqualizer::layoutSelection()
{
    if (!validSelection()) {
        mInfoText.clear();
        mInfoRect = {};
        mQLeft = {};
        mQRight = {};
        return;
    }
    const BandHandle& h = mBands[std::size_t(mCurrentControlIndex)];
    mInfoText = infoLabelText(h.band.freq, h.band.q, h.band.gain, mDragAllDirection);
    mInfoRect = infoLabelRect(mAxes, h.x, h.y, S(), mDragAllDirection);
    if (mDragAllDirection) {
        std::tie(mQLeft, mQRight) = qHandleRects(mAxes, h.x, h.y, h.band.q, S());
    } else {
        mQLeft = {};
        mQRight = {};
    }
}

void UIEqualizer::layoutCrossover()
{
    mHpRect = dravo::hpHandleRect(mAxes, mHpFreq, S());
    mLpRect = dravo::lpHandleRect(mAxes, mLpFreq, S());
}

void UIEqualizer::retrace()
{
    for (CurveSlot& slot : mCurves)
        slot.traced = false;
}

void UIEqualizer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Qt repeats the resize event of a widget never shown (each grab sends
    // it); only a new size makes the traces and the underlay stale.
    const PlotAxes before = mAxes;
    layoutAll();
    if (mAxes.width() != before.width() || mAxes.height() != before.height()) {
        retrace();
        invalidateUnderlay();
    }
}

// --- Notifications -----------------------------------------------------------

void UIEqualizer::selectBand(int index)
{
    mCurrentControlIndex = index;
    setProperty("userdata", QString::asprintf("%d", index));
}

void UIEqualizer::send(const char* type)
{
    LogWrite("Notify %s\n", type);
    Notification n;
    n.type = QString::fromLatin1(type);
    n.name = objectName();
    n.userData = property("userdata").toString();
    n.sender = this;
    emit notify(n);
}

// --- Layout properties and focus ---------------------------------------------

bool UIEqualizer::event(QEvent* event)
{
    if (event->type() == QEvent::DynamicPropertyChange) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName();
        if (mLook.apply(name, property(name.constData()))) {
            if (name == "curvelogo")
                mLogo = mLook.logo.isEmpty() ? QPixmap() : SkinImage(mLook.logo);
            invalidateUnderlay();
            update();
        }
    }
    return QWidget::event(event);
}

void UIEqualizer::focusInEvent(QFocusEvent*)
{
    mFocused = true;
}

void UIEqualizer::focusOutEvent(QFocusEvent*)
{
    mFocused = false;
}

} // namespace dravo
