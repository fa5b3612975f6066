#include "StartOptions.h"

namespace dravo {
namespace {

struct ScaleStep {
    int percent;
    int dpi;
};

constexpr int kScreenshotDpi = 96;

constexpr ScaleStep kScaleSteps[] = {
    {67, 64}, {80, 77}, {100, 96}, {125, 120}, {150, 144}, {200, 192}, {300, 288},
};

struct LanguageOption {
    const char* option;   // as typed after --lang
    const char* language; // the registered language name
};

constexpr LanguageOption kLanguageOptions[] = {
    {"en", "en"},
    {"cn", "cn_zh"},
};

QString languageFor(const QString& option)
{
    for (const LanguageOption& l : kLanguageOptions)
        if (option == QLatin1String(l.option))
            return QString::fromLatin1(l.language);
    return {};
}

} // namespace

QStringList RestartArguments(const StartOptions& options)
{
    QStringList arguments;
    if (options.demo)
        arguments << QStringLiteral("--demo");
    for (const LanguageOption& l : kLanguageOptions)
        if (options.language == QLatin1String(l.language))
            arguments << QStringLiteral("--lang") << QString::fromLatin1(l.option);
    return arguments;
}

int DpiForScale(int value)
{
    for (const ScaleStep& step : kScaleSteps)
        if (step.percent == value || step.dpi == value)
            return step.dpi;
    return 0;
}

QString StartOptionsUsage()
{
    return QStringLiteral(
        "Usage: dravo-tune [--demo] [--screenshot FILE] [--lang en|cn] [--scale S] [--report-startup]\n"
        "  --demo               tune a simulated amplifier inside the program\n"
        "  --screenshot FILE    show the window until it is connected and settled,\n"
        "                       save it as a PNG picture (at 100 % unless --scale) and end\n"
        "  --lang en|cn         language of this run; the stored choice is kept\n"
        "  --scale S            display scale instead of the one the screen suggests,\n"
        "                       as a percent (67, 80, 100, 125, 150, 200, 300)\n"
        "                       or a display DPI (64, 77, 96, 120, 144, 192, 288)\n"
        "  --report-startup     once connected, print the time since the process\n"
        "                       started and its resident memory, and end\n");
}

StartOptions ParseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    for (qsizetype i = 0; i < arguments.size() && options.error.isEmpty(); ++i) {
        const QString& arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--demo")) {
            options.demo = true;
        } else if (arg == QLatin1String("--report-startup")) {
            options.reportStartup = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--screenshot")) {
            if (hasValue && !arguments[i + 1].isEmpty())
                options.screenshot = arguments[++i];
            else
                options.error = QStringLiteral("--screenshot needs a file name");
        } else if (arg == QLatin1String("--lang")) {
            options.language = hasValue ? languageFor(arguments[++i]) : QString();
            if (options.language.isEmpty())
                options.error = QStringLiteral("--lang takes en or cn");
        } else if (arg == QLatin1String("--scale")) {
            bool ok = false;
            const int value = hasValue ? arguments[++i].toInt(&ok) : 0;
            options.dpi = ok ? DpiForScale(value) : 0;
            if (options.dpi == 0)
                options.error = QStringLiteral(
                    "--scale takes a percent (67, 80, 100, 125, 150, 200, 300) or a DPI (64, 77, 96, 120, 144, 192, 288)");
        } else {
            options.error = QStringLiteral("unknown option %1 (try --help)").arg(arg);
        }
    }
    // A picture should look the same whichever machine made it, not follow
    // that machine's screen (offscreen and virtual ones suggest small scales).
    if (!options.screenshot.isEmpty() && options.dpi == 0)
        options.dpi = kScreenshotDpi;
    return options;
}

} // namespace dravo
