#pragma once
// What the window tests share: one application object, the carried skin,
// settings and locks in a folder of the test's own, and a way to answer a
// modal box that is running its own loop.
#include "DisplayScale.h"
#include "Languages.h"
#include "LanguageSwitch.h"
#include "ModalWnd.h"
#include "Retranslate.h"
#include "Skin.h"
#include "Toolkit.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace dravo::test {

inline QApplication& app()
{
    static int argc = 1;
    static char name[] = "ui_shell_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        return a;
    }();
    return *instance;
}

// A fresh start of the program's Qt side: skin loaded, no languages yet,
// settings in `dir`.
inline void startToolkit(const QTemporaryDir& dir)
{
    app();
    ReleaseLanguages();
    SetCurrentDisplayScale(DisplayScale());
    SetLanguageSettingsFile(std::filesystem::path(dir.path().toStdString()) / "tavrel.ini");
    if (!SkinLoaded())
        InitToolkit();
}

// The visible message box, if any.
inline CModalWnd* openMessageBox()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<CModalWnd*>(w);
        if (box && box->isVisible() && box->objectName() == QLatin1String("msgwnd"))
            return box;
    }
    return nullptr;
}

// The language id a box shows as its text ("${mutex_tips}"), or its text
// when that is not an id.
inline QString boxText(CModalWnd* box)
{
    auto* label = box ? box->control<QLabel>(QStringLiteral("MessageText")) : nullptr;
    if (!label)
        return {};
    const QString id = UiTextId(label);
    return id.isEmpty() ? label->text() : id;
}

// Watches for message boxes from inside whatever loop is running (a modal
// box runs its own) and hands each one to `answer`, which may close it.
class BoxWatcher {
public:
    explicit BoxWatcher(std::function<void(CModalWnd*)> answer) : mAnswer(std::move(answer))
    {
        QObject::connect(&mTimer, &QTimer::timeout, [this] {
            if (CModalWnd* box = openMessageBox(); box && box != mLast) {
                mLast = box;
                mAnswer(box);
            }
        });
        mTimer.start(10);
    }

private:
    std::function<void(CModalWnd*)> mAnswer;
    QTimer mTimer;
    QPointer<CModalWnd> mLast;
};

} // namespace dravo::test
