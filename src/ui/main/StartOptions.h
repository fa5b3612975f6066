#pragma once
// The few command-line options of dravo-tune. The program itself needs none;
// these serve trying it out and documenting it: a simulated amplifier, and a
// picture of the window instead of a session.
#include <QString>
#include <QStringList>

namespace dravo {

struct StartOptions {
    bool demo = false;        // --demo
    QString screenshot;       // --screenshot FILE
    int dpi = 0;              // --scale PERCENT, as a display DPI; 0: from the screens
    bool help = false;        // --help
    QString error;            // set when the command line cannot be used
};

// `arguments` without the program name.
StartOptions ParseStartOptions(const QStringList& arguments);

// The DPI of a display scale in percent (67, 80, 100, 125, 150, 200, 300);
// 0 for any other value.
int DpiForScalePercent(int percent);

QString StartOptionsUsage();

} // namespace dravo
