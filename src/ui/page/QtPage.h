#pragma once
// The main page as the tuning logic sees it: the controls of the loaded
// main layout (with its channel page built in), found by their layout names
// and driven through the Control interface. Values the rules write never
// come back as the user's notifications.
#include "Page.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>

namespace dravo {

class QtControl;

class QtPage : public Page {
public:
    // `root` is the loaded "XML_MAIN" layout with the channel page already
    // built into its "channel_settings" container. The page does not own it.
    explicit QtPage(QWidget* root);
    ~QtPage() override;

    QtPage(const QtPage&) = delete;
    QtPage& operator=(const QtPage&) = delete;

    Control* find(const std::string& name) override;
    EqualizerView* equalizer() override;
    std::string text(const std::string& languageId) override;
    int scale() const override;

    QWidget* root() const { return mRoot; }
    // The widget behind a control name; null when the layout has none.
    QWidget* widget(const std::string& name) const;
    QtControl* control(const std::string& name);

    // Indexes the controls again (after a sub-layout was built in later).
    void Rescan();
    // Fetches every text the rules set again in the current language; texts
    // that only embed an id ("${soft_version} v6.8.16") need this after a
    // language switch.
    void Retranslate();

private:
    QPointer<QWidget> mRoot;
    std::map<std::string, QPointer<QWidget>> mWidgets;
    std::map<std::string, std::unique_ptr<QtControl>> mControls;
};

} // namespace dravo
