#include "DisplayDpi.h"

#include "Log.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace dravo {
namespace {

constexpr double kBaseWidth = 1280.0;
constexpr double kBaseHeight = 720.0;

struct DpiStep {
    double below; // s below this value...
    int dpi;      // ...gives this DPI
};

constexpr DpiStep kDpiSteps[] = {
    {0.8, 64}, {1.0, 77}, {1.25, 96}, {1.5, 120}, {2.0, 144}, {3.0, 192},
};
constexpr int kLargestDpi = 288;

void logRect(const char* label, const QRect& r)
{
    LogWrite("%s (%d,%d,%d,%d)\n", label, r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

} // namespace

QRect ChooseDisplayRect(const ScreenLayout& screens)
{
    QRect best(QPoint(0, 0), screens.primary);
    for (const QRect& r : screens.others)
        if (r.topLeft() != QPoint(0, 0) && r.width() > best.width())
            best = r;
    return best;
}

int DpiForScreenSize(int width, int height)
{
    const double s = std::min(width / kBaseWidth, height / kBaseHeight);
    for (const DpiStep& step : kDpiSteps)
        if (s < step.below)
            return step.dpi;
    return kLargestDpi;
}

int ComputeDisplayDpi(const ScreenLayout& screens)
{
    logRect("m_MainScreen", QRect(QPoint(0, 0), screens.primary));
    logRect("m_VirtualScreen", screens.virtualScreen);
    const QRect chosen = ChooseDisplayRect(screens);
    LogWrite("screen size %d x %d\n", chosen.width(), chosen.height());
    const int dpi = DpiForScreenSize(chosen.width(), chosen.height());
    LogWrite("DPI %d\n", dpi);
    return dpi;
}

int ComputeDisplayDpi()
{
    ScreenLayout layout;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) {
        layout.primary = QSize(static_cast<int>(kBaseWidth), static_cast<int>(kBaseHeight));
        layout.virtualScreen = QRect(QPoint(0, 0), layout.primary);
        return ComputeDisplayDpi(layout);
    }
    layout.primary = primary->geometry().size();
    layout.virtualScreen = primary->virtualGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            layout.others.push_back(screen->geometry());
    return ComputeDisplayDpi(layout);
}

} // namespace dravo
