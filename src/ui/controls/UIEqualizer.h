#pragma once
// The interactive response graph of the main page ("equalizer") and of the
// custom-equaliser panel: the curves of up to twelve outputs, the selected
// output's bands as numbered handles, its crossover frequencies as "H" and
// "L" handles. Dragging a handle changes only this control's own copy of the
// value and announces it with a notification (CurveNotifications.h); the
// owner reads the value back (band(), hpFreq(), lpFreq()) and applies it to
// the model, which then hands the result back through EqualizerView.
//
// The selected band is mirrored as text into the "userdata" property, so the
// notification carries the band index like any repeated control's does.
#include "CurveAxes.h"
#include "CurveLook.h"
#include "EqualizerView.h"
#include "Notification.h"

#include <QPixmap>
#include <QImage>
#include <QLineF>
#include <QStaticText>
#include <QRect>
#include <QWidget>

#include <array>
#include <vector>

class QPainter;

namespace dravo {

class UIEqualizer : public QWidget, public EqualizerView {
    Q_OBJECT
public:
    // The layout element this control is made for.
    static constexpr const char* kElementName = "Curve";
    static constexpr int kMaxBands = 31;
    static constexpr int kChannels = 12;

    enum Capture { NoCapture = 0, IndexCaptured = 1, FactorCaptured = 2, HpCaptured = 3, LpCaptured = 4 };

    explicit UIEqualizer(QWidget* parent = nullptr);
    ~UIEqualizer() override;

    // --- What the owner hands over (EqualizerView) ---------------------------
    // At most 31 bands are kept; the all-bypass flag is set when every gain
    // is exactly 0. A selection beyond the new count is dropped.
    void setBands(const std::vector<DisplayBand>& bands) override;
    // A frequency outside 20..20000 Hz removes that handle.
    void setCrossover(int hpFreq, int lpFreq) override;
    // Copies the twelve curves (512 points each at most); a slot without
    // data stays empty.
    void setCurves(const std::array<CurveView, 12>& curves, const std::array<int, 12>& shown,
                   int selectedOutput) override;
    // -1 (or anything outside the bands given) selects none.
    void setSelectedBand(int band) override;
    // true: bands move in frequency and gain and show Q handles; false: a
    // graphic equaliser, bands move vertically only.
    void setParametric(bool parametric) override;
    void setAllBypassed(bool bypassed) override;

    // --- What the owner reads back after a notification ---------------------
    int bandCount() const { return static_cast<int>(mBands.size()); }
    // The band as this control holds it; a default band for a bad index.
    DisplayBand band(int index) const;
    int selectedBand() const { return mCurrentControlIndex; }
    int hpFreq() const { return mHpFreq; }
    int lpFreq() const { return mLpFreq; }
    bool parametric() const { return mDragAllDirection; }
    bool allBypassed() const { return mAllBypass; }
    Capture capture() const { return mCapture; }

    // --- Look -----------------------------------------------------------------
    // The phase of each curve, dashed (the main page shows it).
    void setPhaseShown(bool shown);
    bool phaseShown() const { return mPhaseShown; }
    // Display scale in percent for every length; 0 follows the program's
    // current display scale.
    void setScalePercent(int percent);
    int scalePercent() const;
    const CurveLook& look() const { return mLook; }

    // --- Geometry as last laid out (for the owner's tests and tooltips) -----
    QRect bandHandleRect(int index) const;
    QRect qHandleRect(int side) const { return side == 0 ? mQLeft : mQRight; } // 0 left, 1 right
    QRect hpHandleRect() const { return mHpRect; }
    QRect lpHandleRect() const { return mLpRect; }
    QString infoText() const { return mInfoText; }
    QRect infoRect() const { return mInfoRect; }
    const PlotAxes& axes() const { return mAxes; }

signals:
    // One of the six curve notifications (type), with this control's name
    // and the selected band in the user data. Logged "Notify %s" first.
    void notify(const dravo::Notification& notification);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct BandHandle {
        DisplayBand band;
        int x = 0;
        int y = 0;
        QRect rect; // its number is drawn here
    };
    struct CurveSlot {
        std::array<double, kCurvePoints> frequency{};
        std::array<double, kCurvePoints> magnitude{};
        std::array<double, kCurvePoints> phase{};
        int points = 0;
        // Built from the arrays on the first paint after a change.
        std::vector<QLineF> magnitudeLines;
        std::vector<QLineF> phaseLines;
        bool traced = false;
    };

    int S() const { return scalePercent(); }
    bool validSelection() const { return mCurrentControlIndex >= 0 && mCurrentControlIndex < bandCount(); }

    // Layout: the whole geometry, or (while dragging) the parts that move.
    void layoutAll();
    void layoutMoving();
    void layoutBand(int index);
    void layoutSelection();
    void layoutCrossover();
    void retrace();

    void selectBand(int index);
    void send(const char* type);
    QPoint clamped(const QPoint& p) const;
    double factorFromPointer(int px) const;
    void dragBand(const QPoint& p, bool final);
    void updateHoverCursor(const QPoint& p);

    // What lies under the selected output's curve (background, grid, the
    // all-bypass text, the other outputs' curves) is kept as an image while
    // none of it changes, so a drag redraws one curve and the labels.
    void invalidateUnderlay() { mUnderlayValid = false; }
    void paintUnderlay(QPainter& painter);
    void paintGrid(QPainter& painter) const;
    void paintCurve(QPainter& painter, int channel, double width);
    void paintLabels(QPainter& painter);
    double otherCurveWidth() const;

    std::vector<BandHandle> mBands;
    int mCurrentControlIndex = -1;
    bool mDragAllDirection = false;
    int mHpFreq = -1;
    int mLpFreq = -1;
    QRect mHpRect;
    QRect mLpRect;
    Capture mCapture = NoCapture;
    QString mInfoText;
    QRect mInfoRect;
    QRect mQLeft;
    QRect mQRight;

    std::array<CurveSlot, kChannels> mCurves;
    std::array<bool, kChannels> mShown{};
    int mCurrentChannel = 0;

    bool mAllBypass = false;
    bool mLayoutValid = false;
    bool mPhaseShown = false;
    bool mFocused = false;
    int mScalePercent = 0;
    PlotAxes mAxes;
    CurveLook mLook;
    QPixmap mLogo;

    int mLaidOutScale = 0; // S of the last full layout and of the underlay
    QImage mUnderlay;
    bool mUnderlayValid = false;
    QString mUnderlayBypassText;
    // Band numbers and "H", "L", laid out once per font.
    std::vector<QStaticText> mNumberTexts;
    QFont mNumberFont;
};

} // namespace dravo
