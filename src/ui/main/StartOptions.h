#pragma once
// The few command-line options of dravo-tune. The program itself needs none;
// these serve trying it out, documenting and measuring it: a simulated
// amplifier, a picture of the window instead of a session, and the time and
// memory it takes to be connected.
#include <QString>
#include <QStringList>

namespace dravo {

struct StartOptions {
    bool demo = false;        // --demo
    QString screenshot;       // --screenshot FILE
    int dpi = 0;              // --scale DPI or PERCENT, as a display DPI; 0: from the screens
    QString language;         // --lang en|cn, as a registered language name; empty: the stored one
    bool reportStartup = false; // --report-startup
    bool help = false;        // --help
    QString error;            // set when the command line cannot be used
};

// `arguments` without the program name.
StartOptions ParseStartOptions(const QStringList& arguments);

// The display DPI of a scale given either as one of the display DPIs (64, 77,
// 96, 120, 144, 192, 288) or as its percent (67, 80, 100, 125, 150, 200,
// 300); the two sets share no value. 0 for anything else.
int DpiForScale(int value);

QString StartOptionsUsage();

// What a new copy started after a display change is given: the simulation
// and the language of this run; it chooses its scale afresh.
QStringList RestartArguments(const StartOptions& options);

} // namespace dravo
