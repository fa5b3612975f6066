#pragma once
// The main page as the program builds it (the carried skin's "XML_MAIN"
// with the channel page in its container), bound to the tuning logic over
// one simulated amplifier, with the dispatch fed by the layout's
// notifications and a window stand-in that records what the page asks of
// it. Tests act on the widgets as a user would and read both the page and
// what the simulator received.
#include "DeviceLink.h"
#include "DisplayScale.h"
#include "EqualizerManager.h"
#include "CurveRegistration.h"
#include "Languages.h"
#include "MainPageDispatch.h"
#include "MainWindowActions.h"
#include "NotifyAdapter.h"
#include "QtPage.h"
#include "SimBackend.h"
#include "Skin.h"
#include "SkinUiLoader.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace dravo::test {

inline QApplication& pageApp()
{
    static int argc = 1;
    static char name[] = "ui_page_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *instance;
}

// Loads the carried skin at `dpi` with the English texts.
inline void useSkin(int dpi)
{
    pageApp();
    SetCurrentDisplayScale(DisplayScale(dpi));
    if (!SkinLoaded())
        LoadSkin();
    ReleaseLanguages();
    RegisterLanguage(QStringLiteral("lan/lan_en.xml"), QStringLiteral("en"));
    SetLanguage(QStringLiteral("en"));
    RegisterCurveControls();
}

// What the page asked of the window.
class RecordingActions final : public MainWindowActions {
public:
    struct Call {
        std::string what;
        int channel = -1;
        QWidget* button = nullptr;
    };

    void ShowAdvanceMenu(QWidget* button) override { calls.push_back({"advance", -1, button}); }
    void ShowOptionMenu(QWidget* button) override { calls.push_back({"option", -1, button}); }
    void ShowSceneMenu(QWidget* button) override { calls.push_back({"scene", -1, button}); }
    void ShowOutputMenu(int channel, QWidget* button) override { calls.push_back({"output", channel, button}); }
    void ShowLinkGroupMenu(int channel, QWidget* button) override { calls.push_back({"link", channel, button}); }
    void ShowDelayLinkGroupMenu(int channel, QWidget* button) override
    {
        calls.push_back({"delay_link", channel, button});
    }
    void Minimize() override { calls.push_back({"minimize"}); }
    void ApplyDpi(int dpi) override { calls.push_back({"dpi", dpi}); }
    void OpenWindow(const QString& which) override { calls.push_back({"open " + which.toStdString()}); }
    void ToggleAutoSave() override { calls.push_back({"autosave"}); }
    void LoadAutoSave(const QString& text) override { calls.push_back({"load " + text.toStdString()}); }

    std::vector<Call> calls;
};

class PageFixture : public testing::Test {
protected:
    explicit PageFixture(int dpi = DisplayScale::kBaseDpi)
    {
        useSkin(dpi);
        window = std::make_unique<QWidget>();
        auto* box = new QVBoxLayout(window.get());
        box->setContentsMargins(0, 0, 0, 0);
        ApplySkinTheme(window.get());
        root = LoadLayout(QStringLiteral("XML_MAIN"), window.get());
        box->addWidget(root);
        LoadLayoutInto(root->findChild<QWidget*>(QStringLiteral("channel_settings")),
                       QStringLiteral("xml/channel_settings_6in_mixer.xml"));
        window->setFixedSize(CurrentDisplayScale().scale(QSize(1230, 650)));

        sim::SimOptions options;
        options.latencyMs = 0;
        amp = backend.attach("amp1", options);
        link = std::make_unique<DeviceLink>(backend.handle());
        page = std::make_unique<QtPage>(root);
        manager = std::make_unique<EqualizerManager>(*link, host);
        host.attach(*manager);
        manager->Bind(*page, host);
        dispatch = std::make_unique<MainPageDispatch>(*manager, *page, actions);
        new NotifyAdapter(root, [this](const Notification& n) {
            heard.push_back(n.type.toStdString() + " " + n.name.toStdString());
            dispatch->Notify(n);
        });
    }

    ~PageFixture() override
    {
        window.reset();
        dispatch.reset();
        manager.reset();
        link.reset();
    }

    // Shows the window and makes it the active one, so focus moves as it
    // does for a user.
    void showWindow()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Opens the simulated amplifier and the request path without the
    // connect-time read.
    void openDirectly()
    {
        link->OpenHIDDevice(sim::SimBackend::pathOf("amp1"));
        ASSERT_TRUE(link->IsConnected());
        link->EnableCmdCtrl();
        amp->clearReceivedRequests();
    }

    // Waits until every queued request has been answered, then hands the
    // replies to the tuning logic.
    void settle()
    {
        for (int i = 0; i < 500 && !link->QueueIdle(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        host.pump();
        QApplication::processEvents();
    }

    template <class W = QWidget>
    W* widget(const std::string& name)
    {
        auto* w = qobject_cast<W*>(page->widget(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Types `text` into an edit box over what it shows, as a user would.
    void typeInto(const std::string& name, const QString& text)
    {
        auto* edit = widget<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QWidget* focused() const { return QApplication::focusWidget(); }

    sim::SimBackend backend;
    std::shared_ptr<sim::SimulatedAmplifier> amp;
    std::unique_ptr<DeviceLink> link;
    TestHost host;
    RecordingActions actions;
    std::unique_ptr<QWidget> window;
    QWidget* root = nullptr;
    std::unique_ptr<QtPage> page;
    std::unique_ptr<EqualizerManager> manager;
    std::unique_ptr<MainPageDispatch> dispatch;
    std::vector<std::string> heard; // "type name" of every notification
};

} // namespace dravo::test
