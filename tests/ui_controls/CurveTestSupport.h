#pragma once
// One application object for the run (offscreen), and a curve control of a
// known size with the notifications it sends collected in order.
#include "UIEqualizer.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace dravo::test {

inline QApplication& app()
{
    static int argc = 1;
    static char name[] = "ui_controls_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

struct Sent {
    std::string type;
    std::string userData;
};

class CurveFixture : public testing::Test {
protected:
    // A 400 x 300 plot: 0 dB at y 120, 20 Hz at x 0, 20 kHz at x 400.
    explicit CurveFixture(int width = 400, int height = 300, int scale = 100)
    {
        app();
        curve = std::make_unique<UIEqualizer>();
        curve->setObjectName("equalizer");
        curve->setScalePercent(scale);
        curve->resize(width, height);
        QObject::connect(curve.get(), &UIEqualizer::notify, [this](const Notification& n) {
            sent.push_back({n.type.toStdString(), n.userData.toStdString()});
        });
    }

    void press(QPoint p) { mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void moveTo(QPoint p, bool held = true)
    {
        mouse(QEvent::MouseMove, p, Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton);
    }
    void release(QPoint p) { mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        moveTo(to);
        release(to);
    }

    std::vector<std::string> types() const
    {
        std::vector<std::string> out;
        for (const Sent& s : sent)
            out.push_back(s.type);
        return out;
    }

    static DisplayBand band(int hz, float db, float q = 1.0f, int type = 0)
    {
        DisplayBand b;
        b.freq = hz;
        b.gain = db;
        b.q = q;
        b.type = static_cast<std::uint8_t>(type);
        return b;
    }

    std::unique_ptr<UIEqualizer> curve;
    std::vector<Sent> sent;

private:
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(p), curve->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(curve.get(), &event);
    }
};

} // namespace dravo::test
