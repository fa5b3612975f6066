#pragma once

#include <QString>

class QWidget;

// What the main page asks of the window around it: the pop-up menus it
// anchors to its buttons and the windows it opens. The page never owns
// these; the main window does.
class MainWindowActions {
public:
    virtual ~MainWindowActions() = default;

    virtual void ShowAdvanceMenu(QWidget* button) = 0;
    virtual void ShowOptionMenu(QWidget* button) = 0;
    virtual void ShowSceneMenu(QWidget* button) = 0;
    virtual void ShowOutputMenu(int channel, QWidget* button) = 0;
    virtual void ShowLinkGroupMenu(int channel, QWidget* button) = 0;
    virtual void ShowDelayLinkGroupMenu(int channel, QWidget* button) = 0;
    virtual void Minimize() = 0;
    virtual void ApplyDpi(int dpi) = 0;
    // "mixer", "noise_gate", "noise_threshold", "memory", "calibration",
    // "compressor", "custom_eq"; a window that does not exist yet is ignored.
    virtual void OpenWindow(const QString& which) = 0;
    virtual void ToggleAutoSave() = 0;
    virtual void LoadAutoSave(const QString& text) = 0;
};
