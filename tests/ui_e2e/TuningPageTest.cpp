// The tuning page as a user works it through the real main window: slider
// and curve drags at a user's pace, the output link and reset with their
// boxes answered, and a scene profile saved and loaded through the file
// dialog. Each test reads both what the page shows and what the simulated
// amplifier received.
#include "CommandCodes.h"
#include "Connection.h"
#include "DeviceLink.h"
#include "EditingRulesValues.h"
#include "EqualizerManager.h"
#include "LayoutRules.h"
#include "MainWnd.h"
#include "MemoryPage.h"
#include "ModalWnd.h"
#include "PopupMenus.h"
#include "QtPage.h"
#include "ShellTestSupport.h"
#include "SimBackend.h"
#include "UIEqualizer.h"

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace dravo {
namespace {

using sim::ReceivedRequest;

// Answers each new modal window of type W (named `name`, when given) while
// it runs its own loop; the loading indicator is modal too and is let be.
template <class W>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(W*)> answer, QString name = {})
        : mAnswer(std::move(answer)), mName(std::move(name))
    {
        QObject::connect(&mTimer, &QTimer::timeout, [this] {
            auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
            if (w && w != mLast && (mName.isEmpty() || w->objectName() == mName)) {
                mLast = w;
                ++answered;
                mAnswer(w);
            }
        });
        mTimer.start(10);
    }
    int answered = 0;

private:
    std::function<void(W*)> mAnswer;
    QString mName;
    QTimer mTimer;
    QPointer<W> mLast;
};

void click(CModalWnd* box, const char* name)
{
    auto* button = box->control<QAbstractButton>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

class TuningPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::startToolkit(mDir);
        sim::SimOptions options;
        options.latencyMs = 1;
        amp = bus.attach("demo", options);
        MainWndOptions o;
        o.dpi = 96;
        o.demo = true;
        o.lockDirectory = mDir.path();
        o.workingDirectory = mDir.path().toStdString();
        window = std::make_unique<CMainWnd>(bus.handle(), std::move(o));
        window->show();
        // Active, so the focus moves between boxes as it does for a user.
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->Settled() && manager().connection().Connected(); }, 20000));
        settle();
        amp->clearReceivedRequests();
    }
    void TearDown() override { window.reset(); }

    EqualizerManager& manager() { return window->Manager(); }

    template <class W = QWidget>
    W* widget(const char* name)
    {
        auto* w = qobject_cast<W*>(window->Page()->widget(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    template <class W = QWidget>
    W* widget(const std::string& name) { return widget<W>(name.c_str()); }

    QString boxText(const std::string& name) { return widget<QLineEdit>(name)->text(); }

    // Every request sent and answered, every worker done, every reply shown.
    void settle()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->Settled() && window->Link().QueueIdle(); }, 20000));
        QTest::qWait(20);
    }

    // The settings of DSP sub-command `sub` the amplifier received, in order.
    std::vector<ReceivedRequest> sets(std::uint8_t sub) const
    {
        std::vector<ReceivedRequest> out;
        for (const ReceivedRequest& r : amp->receivedRequests())
            if (r.cmd == CMD_DSP && r.sub == sub && r.op == OP_SET)
                out.push_back(r);
        return out;
    }

    void chooseSceneItem(const char* name)
    {
        window->ShowSceneMenu(nullptr);
        QMenu* menu = window->Menus().CurrentMenu();
        ASSERT_NE(menu, nullptr);
        auto* action = menu->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
        QCoreApplication::processEvents();
    }

    // A band box applies what was typed when the focus leaves it, so the
    // window must be the active one again once a dialog has closed.
    void typeInto(const std::string& name, const QString& text)
    {
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        auto* edit = widget<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QTemporaryDir mDir;
    sim::SimBackend bus;
    std::shared_ptr<sim::SimulatedAmplifier> amp;
    std::unique_ptr<CMainWnd> window;
};

TEST_F(TuningPage, ALevelSliderDragSendsAboutFiveLevelsASecondAndTheFinalOneAfter)
{
    constexpr int kOutput = 2;
    auto* slider = widget<QSlider>("slider_ch_volume_" + std::to_string(kOutput));
    ASSERT_NE(slider, nullptr);
    const auto trims = [&] {
        std::vector<ReceivedRequest> out;
        for (const ReceivedRequest& r : sets(DSP_TRIM_CH))
            if (r.data.size() >= 6 && r.data[2] == kOutput)
                out.push_back(r);
        return out;
    };

    // 50 positions 20 ms apart, ending at -40 dB.
    const int start = -100;
    const int last = -400;
    // What QSlider's own mouse handling does: down, positions, up.
    QElapsedTimer dragging;
    dragging.start();
    slider->setSliderDown(true);
    for (int i = 1; i <= 50; ++i) {
        slider->setSliderPosition(start + (last - start) * i / 50);
        QTest::qWait(20);
    }
    const std::size_t duringDrag = trims().size();
    const auto mostDuringDrag = static_cast<std::size_t>(dragging.elapsed() / 200 + 1);
    slider->setSliderDown(false);
    QTest::qWait(300);
    settle();

    EXPECT_GE(duringDrag, 4u);
    EXPECT_LE(duringDrag, mostDuringDrag);
    const auto all = trims();
    ASSERT_FALSE(all.empty());
    EXPECT_LE(all.size(), duringDrag + 1);
    EXPECT_EQ(boxText("edit_ch_volume_" + std::to_string(kOutput)), QString::fromStdString(LevelText(last)));
    EXPECT_DOUBLE_EQ(sim::trimLevelDb(amp->state().live.channels[kOutput]), last / 10.0);
    // The last request is the final value, not one from the middle of the drag.
    const ReceivedRequest& lastSent = all.back();
    EXPECT_DOUBLE_EQ(-(static_cast<std::int8_t>(lastSent.data[4]) + static_cast<std::int8_t>(lastSent.data[5]) / 100.0),
                     last / 10.0);
}

TEST_F(TuningPage, ACurveBandDraggedForTwoSecondsSendsAtMostTwiceASecondAndItsFinalPlaceOnRelease)
{
    constexpr int kBand = 15;
    manager().layout().ShowPeqMode(true);
    QCoreApplication::processEvents();
    auto* curve = window->findChild<UIEqualizer*>(QStringLiteral("equalizer"));
    ASSERT_NE(curve, nullptr);
    const auto mouse = [&](QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(p), curve->mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(curve, &event);
    };
    const QPoint from = curve->bandHandleRect(kBand).center();
    const QPoint to = from + QPoint(60, -50);
    const DisplayBand before = curve->band(kBand);

    mouse(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton); // hovering selects the band
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    QElapsedTimer dragging;
    dragging.start();
    constexpr int kMoves = 100; // 20 ms apart
    for (int i = 1; i <= kMoves; ++i) {
        mouse(QEvent::MouseMove, from + (to - from) * i / kMoves, Qt::NoButton, Qt::LeftButton);
        QTest::qWait(20);
    }
    const auto mostDuringDrag = static_cast<std::size_t>(dragging.elapsed() / 500 + 1);
    settle();
    const std::size_t duringDrag = sets(DSP_EQ_CH).size();
    // Let go a little further on, so the release always has a place of its own.
    mouse(QEvent::MouseButtonRelease, to + QPoint(2, -2), Qt::LeftButton, Qt::NoButton);
    settle();

    const auto eq = sets(DSP_EQ_CH);
    EXPECT_GE(duringDrag, 1u);
    EXPECT_LE(duringDrag, mostDuringDrag); // one per 500 ms, the first at once
    ASSERT_EQ(eq.size(), duringDrag + 1);
    ASSERT_GE(eq.back().data.size(), 11u);
    EXPECT_EQ(eq.back().data[2], 0); // the selected output
    EXPECT_EQ(eq.back().data[3], kBand);

    const DisplayBand shown = curve->band(kBand);
    const sim::BandBytes device = amp->state().live.channels[0].bands[kBand];
    EXPECT_TRUE(std::equal(device.begin(), device.end(), eq.back().data.begin() + 4));
    EXPECT_EQ(sim::bandFrequency(device), shown.freq);
    EXPECT_NEAR(sim::bandGainDb(device), shown.gain, 0.1); // the wire carries whole tenths of a dB
    EXPECT_GT(shown.freq, before.freq); // it went right and up
    EXPECT_GT(shown.gain, before.gain + 0.5f);
    const std::string n = std::to_string(kBand);
    EXPECT_EQ(boxText("eq_freq_" + n).toInt(), shown.freq);
    EXPECT_NEAR(boxText("eq_gain_" + n).toDouble(), shown.gain, 0.05);
    EXPECT_NEAR(boxText("eq_q_" + n).toDouble(), sim::bandQ(device), 0.01);
}

TEST_F(TuningPage, LinkingLeftToRightSendsTheSixPairsAndShowsLinkAndLockOn)
{
    ModalAnswer<CModalWnd> answer(
        [](CModalWnd* box) {
            click(box, "check_box_0");
            click(box, "confirm_btn");
        },
        QStringLiteral("msgcbwnd"));
    widget<QAbstractButton>("btn_link_output")->click();
    settle();

    EXPECT_EQ(answer.answered, 1);
    const auto links = sets(DSP_CH_LINK);
    ASSERT_EQ(links.size(), 1u);
    const std::vector<std::uint8_t> pairs{1, 6, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(std::vector<std::uint8_t>(links.front().data.begin() + 1, links.front().data.end()), pairs);
    const sim::SceneState device = amp->state().live;
    EXPECT_EQ(device.linkOn, 1);
    EXPECT_EQ(device.lockOn, 1);
    EXPECT_TRUE(window->Page()->find("btn_link_output")->checked());
    EXPECT_TRUE(window->Page()->find("btn_lock_output")->checked());
    EXPECT_EQ(manager().live().linkMode, 1);
}

TEST_F(TuningPage, EmptyingTheOutputsLeavesEveryRoleEmptyOnPageAndAmplifier)
{
    ModalAnswer<CModalWnd> answer([](CModalWnd* box) { click(box, "third_btn"); }, QStringLiteral("msgwnd"));
    widget<QAbstractButton>("btn_reset_output")->click();
    settle();

    EXPECT_EQ(answer.answered, 1);
    const sim::SceneState device = amp->state().live;
    for (int c = 0; c < 12; ++c) {
        const std::string name = "ch_output_btn_" + std::to_string(c);
        EXPECT_EQ(window->Page()->find(name)->text(), "${empty}") << name;
        EXPECT_EQ(device.channels[static_cast<std::size_t>(c)].role, 0) << c;
    }
}

TEST_F(TuningPage, ASceneProfileSavedAndLoadedBringsBackLevelBandAndCrossover)
{
    const QString path = mDir.filePath(QStringLiteral("tune.spf"));
    ModalAnswer<QFileDialog> files([&](QFileDialog* dialog) {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog checks the name it was given
    });
    ModalAnswer<CModalWnd> boxes([](CModalWnd* box) { box->Close(1); }, QStringLiteral("msgwnd")); // "saved" and the like

    struct Value {
        std::string box;
        QString typed;
        std::function<double(const sim::SceneState&)> onDevice;
    };
    const Value values[] = {
        // Typing in a level box selects its output; the band and crossover
        // boxes then show that output.
        {"edit_ch_volume_0", "-20", [](const sim::SceneState& s) { return sim::trimLevelDb(s.channels[0]); }},
        {"eq_gain_5", "4.5", [](const sim::SceneState& s) { return sim::bandGainDb(s.channels[0].bands[5]); }},
        {"hp_freq", "150",
         [](const sim::SceneState& s) { return sim::wireU16(s.channels[0].filter[1], s.channels[0].filter[2]); }},
    };
    std::vector<QString> shownBefore;
    std::vector<double> deviceBefore;
    for (const Value& v : values) {
        shownBefore.push_back(boxText(v.box));
        deviceBefore.push_back(v.onDevice(amp->state().live));
    }

    chooseSceneItem("scene_item_save_file");
    settle();
    ASSERT_EQ(files.answered, 1);
    ASSERT_TRUE(std::filesystem::exists(path.toStdString()));

    for (const Value& v : values)
        typeInto(v.box, v.typed);
    settle();
    for (std::size_t i = 0; i < std::size(values); ++i)
        ASSERT_NE(values[i].onDevice(amp->state().live), deviceBefore[i]) << values[i].box;

    chooseSceneItem("scene_item_load_file");
    settle();
    ASSERT_EQ(files.answered, 2);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(boxText(values[i].box), shownBefore[i]) << values[i].box;
        EXPECT_NEAR(values[i].onDevice(amp->state().live), deviceBefore[i], 0.01) << values[i].box;
    }
}

} // namespace
} // namespace dravo
