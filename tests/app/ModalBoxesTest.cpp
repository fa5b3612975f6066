// The four boxes driven the way a user drives them: the box runs modally and
// the test acts on it from inside its own event loop.
#include "LoadingWnd.h"
#include "MsgCheckBoxWnd.h"
#include "MsgWnd.h"
#include "NameMsgWnd.h"
#include "QtTestSupport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace dravo {
namespace {

class Boxes : public test::WithApp, public ::testing::Test {
protected:
    void SetUp() override
    {
        test::useCarriedSkin();
        RegisterLanguage(QStringLiteral("lan/lan_en.xml"), QStringLiteral("en"));
        owner.resize(800, 600);
        owner.show();
    }
    void TearDown() override { ReleaseLanguages(); }

    // Runs `act` on the box once it is shown modally.
    static void whenShown(std::function<void(CModalWnd*)> act)
    {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<CModalWnd*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            act(box);
        });
    }

    static void click(CModalWnd* box, const char* name)
    {
        auto* b = box->control<QAbstractButton>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }

    QWidget owner;
};

TEST_F(Boxes, MessageBoxButtonsFollowTheCount)
{
    const struct {
        int count;
        const char* press;
        int result;
        bool cancelShown, thirdShown;
    } cases[] = {
        {1, "closebtn", 0, false, false},
        {1, "confirm_btn", 1, false, false},
        {2, "cancel_btn", 0, true, false},
        {3, "third_btn", 2, true, true},
        {0, "cancel_btn", 0, true, false}, // the layout's own buttons
    };
    for (const auto& c : cases) {
        QString title, text, cancelText;
        bool cancelShown = false, thirdShown = false;
        whenShown([&](CModalWnd* box) {
            title = box->control<QLabel>(QStringLiteral("MessageTitle"))->text();
            text = box->control<QLabel>(QStringLiteral("MessageText"))->text();
            cancelShown = !box->control(QStringLiteral("cancel_btn"))->isHidden();
            thirdShown = !box->control(QStringLiteral("third_btn"))->isHidden();
            cancelText = box->control<QAbstractButton>(QStringLiteral("cancel_btn"))->text();
            click(box, c.press);
        });
        const int result = ShowMsgBox(&owner, QStringLiteral("${tips}"), QStringLiteral("${device_reboot}"),
                                      {QStringLiteral("${confirm}"), QStringLiteral("${exit}"), QStringLiteral("${no}")},
                                      c.count);
        EXPECT_EQ(result, c.result) << c.count << " " << c.press;
        EXPECT_EQ(cancelShown, c.cancelShown) << c.count;
        EXPECT_EQ(thirdShown, c.thirdShown) << c.count;
        EXPECT_EQ(title, QStringLiteral("Notice"));
        EXPECT_TRUE(text.startsWith(QStringLiteral("The amplifier is restarting.\n")));
        EXPECT_EQ(cancelText, c.count >= 2 ? QStringLiteral("Close") : QStringLiteral("Cancel"));
    }
}

TEST_F(Boxes, MessageBoxIsANamedToolWindowCentredOverItsOwner)
{
    QPoint boxCentre;
    bool tool = false;
    QString name;
    whenShown([&](CModalWnd* box) {
        boxCentre = box->frameGeometry().center();
        tool = box->windowFlags().testFlag(Qt::Tool);
        name = box->windowTitle();
        EXPECT_EQ(CloseModalWindowsNamed(QStringLiteral("MsgWnd"), 0), 1);
    });
    EXPECT_EQ(ShowMsgBox(&owner, QStringLiteral("${tips}"), QString(), {QStringLiteral("${confirm}")}, 1), 0);
    EXPECT_TRUE(tool);
    EXPECT_EQ(name, QStringLiteral("msgwnd"));
    EXPECT_LE((boxCentre - owner.frameGeometry().center()).manhattanLength(), 2);
}

TEST_F(Boxes, CheckBoxConfirmNeedsAChoice)
{
    const struct {
        const char* choose;
        int result;
    } cases[] = {{"check_box_0", 1}, {"check_box_1", 2}, {nullptr, 0}};
    for (const auto& c : cases) {
        bool stayedOpen = false;
        QString option1;
        whenShown([&](CModalWnd* box) {
            option1 = box->control<QAbstractButton>(QStringLiteral("check_box_1"))->text();
            click(box, "confirm_btn");
            stayedOpen = box->isVisible();
            if (c.choose) {
                click(box, c.choose);
                click(box, "confirm_btn");
            } else {
                click(box, "cancel_btn");
            }
        });
        CMsgCheckBoxWnd box(&owner, QStringLiteral("${tips}"), QStringLiteral("${link_tips}"),
                            QStringLiteral("${copy_left_to_right}"), QStringLiteral("${copy_right_to_left}"));
        EXPECT_EQ(box.DoModal(), c.result);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(option1, QStringLiteral("Copy right to left"));
    }
}

TEST_F(Boxes, NameBoxEnterReturnsTheTypedName)
{
    QString name = QStringLiteral("Old");
    whenShown([](CModalWnd* box) {
        auto* edit = box->control<QLineEdit>(QStringLiteral("name_edt"));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QStringLiteral("Old"));
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("Bass boost"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    CNameMsgWnd box(&owner, &name, 7);
    EXPECT_EQ(box.DoModal(), 1);
    EXPECT_EQ(name, QStringLiteral("Bass bo")); // what fits a scene name
}

TEST_F(Boxes, NameBoxCancelKeepsTheName)
{
    for (const char* press : {"cancel_btn", "closebtn"}) {
        QString name = QStringLiteral("Club");
        whenShown([press](CModalWnd* box) {
            box->control<QLineEdit>(QStringLiteral("name_edt"))->setText(QStringLiteral("Other"));
            click(box, press);
        });
        CNameMsgWnd box(&owner, &name, 7);
        EXPECT_EQ(box.DoModal(), 0) << press;
        EXPECT_EQ(name, QStringLiteral("Club")) << press;
    }
}

TEST_F(Boxes, NameBoxNeverKeepsHalfACharacter)
{
    QString name;
    whenShown([](CModalWnd* box) {
        // Six letters and a character outside the basic plane (two units).
        box->control<QLineEdit>(QStringLiteral("name_edt"))->setText(QStringLiteral("Stage \U0001F3B5"));
        click(box, "confirm_btn");
    });
    CNameMsgWnd box(&owner, &name, 7);
    EXPECT_EQ(box.DoModal(), 1);
    EXPECT_EQ(name, QStringLiteral("Stage "));
}

TEST_F(Boxes, SecondLoadingReplacesTheFirst)
{
    LoadingIndicator loading(&owner);
    loading.Show();
    QPointer<CLoadingWnd> first = loading.window();
    ASSERT_TRUE(first && first->isVisible());
    EXPECT_EQ(first->windowModality(), Qt::WindowModal);

    loading.Show(QStringLiteral("${loading_fw}"));
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(first->result(), 1);
    CLoadingWnd* second = loading.window();
    ASSERT_NE(second, first.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->control<QLabel>(QStringLiteral("MessageText"))->text(), QStringLiteral("Preparing the firmware…"));

    loading.Hide();
    EXPECT_FALSE(loading.IsShown());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}

TEST_F(Boxes, UserCannotDismissTheLoadingIndicator)
{
    LoadingIndicator loading(&owner);
    loading.Show();
    CLoadingWnd* wnd = loading.window();
    QTest::keyClick(wnd, Qt::Key_Escape);
    wnd->close();
    EXPECT_TRUE(loading.IsShown());
    loading.Hide();
    EXPECT_FALSE(loading.IsShown());
}

} // namespace
} // namespace dravo
