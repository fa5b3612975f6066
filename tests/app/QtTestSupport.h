#pragma once
// What the Qt tests share: one application object for the whole run, the
// carried skin, and a log written to a file the test can read.
#include "DisplayScale.h"
#include "Languages.h"
#include "Log.h"
#include "Skin.h"

#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace dravo::test {

inline QApplication& app()
{
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

// First base of a fixture whose members are widgets: the application
// object has to exist before they are built.
struct WithApp {
    WithApp() { app(); }
};

// The skin the program carries, at 100 %, English, no provider.
inline void useCarriedSkin(int dpi = DisplayScale::kBaseDpi)
{
    app();
    SetCurrentDisplayScale(DisplayScale(dpi));
    ReleaseLanguages();
    if (!SkinLoaded())
        LoadSkin();
}

// Captures the log in a file for the life of the object.
class LogCapture {
public:
    LogCapture() { LogOpen(path()); }
    ~LogCapture() { LogShutdown(); }

    // Ends the capture and returns what was written.
    std::string finish() const
    {
        LogShutdown();
        std::ifstream in(path());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::filesystem::path path() const { return std::filesystem::path(mDir.path().toStdString()) / "save.log"; }
    QTemporaryDir mDir;
};

} // namespace dravo::test
