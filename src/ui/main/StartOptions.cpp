#include "StartOptions.h"

namespace dravo {
namespace {

struct ScaleStep {
    int percent;
    int dpi;
};

constexpr ScaleStep kScaleSteps[] = {
    {67, 64}, {80, 77}, {100, 96}, {125, 120}, {150, 144}, {200, 192}, {300, 288},
};

} // namespace

int DpiForScalePercent(int percent)
{
    for (const ScaleStep& step : kScaleSteps)
        if (step.percent == percent)
            return step.dpi;
    return 0;
}

QString StartOptionsUsage()
{
    return QStringLiteral(
        "Usage: dravo-tune [--demo] [--screenshot FILE] [--scale PERCENT]\n"
        "  --demo               tune a simulated amplifier inside the program\n"
        "  --screenshot FILE    show the window until it is connected and settled,\n"
        "                       save it as a PNG picture and end\n"
        "  --scale PERCENT      display scale instead of the one the screen suggests:\n"
        "                       67, 80, 100, 125, 150, 200 or 300\n");
}

StartOptions ParseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    for (qsizetype i = 0; i < arguments.size() && options.error.isEmpty(); ++i) {
        const QString& arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--demo")) {
            options.demo = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--screenshot")) {
            if (hasValue && !arguments[i + 1].isEmpty())
                options.screenshot = arguments[++i];
            else
                options.error = QStringLiteral("--screenshot needs a file name");
        } else if (arg == QLatin1String("--scale")) {
            bool ok = false;
            const int percent = hasValue ? arguments[++i].toInt(&ok) : 0;
            options.dpi = ok ? DpiForScalePercent(percent) : 0;
            if (options.dpi == 0)
                options.error = QStringLiteral("--scale takes 67, 80, 100, 125, 150, 200 or 300");
        } else {
            options.error = QStringLiteral("unknown option %1").arg(arg);
        }
    }
    return options;
}

} // namespace dravo
