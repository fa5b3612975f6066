// dravo-tune: the desktop tuning program for the DRAVO-8.12 amplifier.
#include "DemoBackend.h"
#include "Log.h"
#include "MainWnd.h"
#include "StartOptions.h"
#include "Toolkit.h"
#include "WindowPlacement.h"
#include "transport/HidTransport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

using namespace dravo;

// How long a screenshot waits for the amplifier to be read, and how long it
// lets the page paint once everything is quiet.
constexpr int kScreenshotDeadlineMs = 30000;
constexpr int kScreenshotQuietMs = 500;
constexpr int kScreenshotPollMs = 100;

void placeOnScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::screenAt(window.pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        window.move(CentredInWorkArea(window.frameGeometry().size(), screen->availableGeometry()));
}

// Waits until the window has connected and settled (or the deadline passed),
// then saves it as a picture and closes it.
void takeScreenshotWhenSettled(CMainWnd& window, const QString& file, int& result)
{
    auto* poll = new QTimer(&window);
    auto* clock = new QElapsedTimer;
    auto* quietSince = new QElapsedTimer;
    clock->start();
    QObject::connect(poll, &QTimer::timeout, &window, [&window, &result, file, poll, clock, quietSince] {
        const bool deadline = clock->elapsed() > kScreenshotDeadlineMs;
        if (!window.Settled() && !deadline) {
            quietSince->invalidate();
            return;
        }
        if (!quietSince->isValid())
            quietSince->start();
        if (quietSince->elapsed() < kScreenshotQuietMs && !deadline)
            return;
        poll->stop();
        delete clock;
        delete quietSince;
        const QString path = QDir(file).absolutePath();
        if (window.grab().save(path, "PNG")) {
            std::printf("%s\n", path.toLocal8Bit().constData());
        } else {
            std::fprintf(stderr, "dravo-tune: cannot write %s\n", path.toLocal8Bit().constData());
            result = 1;
        }
        window.close();
    });
    poll->start(kScreenshotPollMs);
}

} // namespace

int main(int argc, char* argv[])
{
    LogStartup();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const StartOptions start = ParseStartOptions(arguments);
    if (start.help || !start.error.isEmpty()) {
        if (!start.error.isEmpty())
            std::fprintf(stderr, "dravo-tune: %s\n", start.error.toLocal8Bit().constData());
        std::fputs(StartOptionsUsage().toLocal8Bit().constData(), start.help ? stdout : stderr);
        return start.help ? 0 : 2;
    }

    InitToolkit();
    int result = 0;
    {
        MainWndOptions options;
        options.demo = start.demo;
        options.dpi = start.dpi;
        options.quit = [] { QCoreApplication::quit(); };
        // The new copy chooses its scale afresh, so only the simulation is
        // passed on.
        options.restart = [demo = start.demo] {
            QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                    demo ? QStringList{QStringLiteral("--demo")} : QStringList{});
        };
        auto window = std::make_unique<CMainWnd>(start.demo ? MakeDemoBackend() : makeDefaultBackend(),
                                                 std::move(options));
        placeOnScreen(*window);
        window->show();
        if (!start.screenshot.isEmpty())
            takeScreenshotWhenSettled(*window, start.screenshot, result);
        QApplication::exec();
    }
    ReleaseToolkit();
    return result;
}
