// dravo-tune: the desktop tuning program for the DRAVO-8.12 amplifier.
#include "DemoBackend.h"
#include "Log.h"
#include "MainWnd.h"
#include "StartOptions.h"
#include "StartupReport.h"
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
// How long --report-startup waits for a connection before it gives up.
constexpr int kReportDeadlineMs = 30000;

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
    // Read before the application object exists, so that a mistyped option
    // or --help needs no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions start = ParseStartOptions(arguments);
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "dravo-tune: %s\n", start.error.toLocal8Bit().constData());
        return 2;
    }
    if (start.help) {
        std::fputs(StartOptionsUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }

    LogStartup();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    InitToolkit();
    int result = 0;
    {
        MainWndOptions options;
        options.demo = start.demo;
        options.dpi = start.dpi;
        options.language = start.language;
        options.quit = [] { QCoreApplication::quit(); };
        options.restart = [arguments = RestartArguments(start)] {
            QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
        };
        CMainWnd* shown = nullptr;
        if (start.reportStartup) {
            // Printed the moment the page shows the connection; then the
            // program ends as if the window were closed.
            options.connected = [&shown] {
                std::printf("%s\n", StartupReportLine().c_str());
                std::fflush(stdout);
                QTimer::singleShot(0, shown, [&shown] { shown->close(); });
            };
        }
        auto window = std::make_unique<CMainWnd>(start.demo ? MakeDemoBackend() : makeDefaultBackend(),
                                                 std::move(options));
        shown = window.get();
        placeOnScreen(*window);
        window->show();
        if (!start.screenshot.isEmpty())
            takeScreenshotWhenSettled(*window, start.screenshot, result);
        if (start.reportStartup) {
            QTimer::singleShot(kReportDeadlineMs, window.get(), [&window, &result] {
                std::fprintf(stderr, "dravo-tune: no amplifier connected within %d ms\n", kReportDeadlineMs);
                result = 1;
                window->close();
            });
        }
        QApplication::exec();
    }
    ReleaseToolkit();
    return result;
}
