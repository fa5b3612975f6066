// What the user does to the controls of a layout arrives as named
// notifications with the control's name and user data; what the program does
// to them does not.
#include "NotifyAdapter.h"
#include "QtTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace dravo {
namespace {

struct Seen {
    std::string type;
    std::string name;
    std::string userData;
    int value;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Seen& s)
{
    return os << s.type << " " << s.name << " [" << s.userData << "] " << s.value;
}

class Notifications : public test::WithApp, public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        root.setObjectName(QStringLiteral("mainpage"));
        button = make<QPushButton>("btn_reset_eq", "");
        mute = make<QCheckBox>("ch_mute_", "5");
        slider = make<QSlider>("slider_ch_volume_", "3");
        slider->setRange(-600, 0);
        edit = make<QLineEdit>("edit_main_volume", "");
        combo = make<QComboBox>("btn_input_source", "");
        combo->addItems({"a", "b", "c"});
        unnamed = new QPushButton(&root);
        adapter = new NotifyAdapter(&root, [this](const Notification& n) {
            seen.push_back({n.type.toStdString(), n.name.toStdString(), n.userData.toStdString(), n.value});
        });
    }

    template <typename T>
    T* make(const char* name, const char* userData)
    {
        auto* w = new T(&root);
        w->setObjectName(QString::fromLatin1(name));
        if (*userData)
            w->setProperty("userdata", QString::fromLatin1(userData));
        return w;
    }

    QWidget root;
    QPushButton* button = nullptr;
    QCheckBox* mute = nullptr;
    QSlider* slider = nullptr;
    QLineEdit* edit = nullptr;
    QComboBox* combo = nullptr;
    QPushButton* unnamed = nullptr;
    NotifyAdapter* adapter = nullptr;
    std::vector<Seen> seen;
};

TEST_F(Notifications, ClicksCarryNameAndUserData)
{
    test::LogCapture log;
    button->click();
    mute->click();
    unnamed->click();
    const std::vector<Seen> expected = {
        {"click", "btn_reset_eq", "", 0},
        {"click", "ch_mute_", "5", 1},
        {"selectchanged", "ch_mute_", "5", 1},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_NE(log.finish().find("Notify selectchanged\n"), std::string::npos);
}

TEST_F(Notifications, SliderDragMovesThenSettles)
{
    slider->setValue(-100); // the program showing a value: quiet
    slider->setSliderDown(true);
    slider->setSliderPosition(-200);
    slider->setSliderPosition(-250);
    slider->setSliderDown(false);
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd); // keyboard or wheel
    const std::vector<Seen> expected = {
        {"movevaluechanged", "slider_ch_volume_", "3", -200},
        {"movevaluechanged", "slider_ch_volume_", "3", -250},
        {"valuechanged", "slider_ch_volume_", "3", -250},
        {"valuechanged", "slider_ch_volume_", "3", -249},
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(Notifications, EditKeysStepWalkAndReturn)
{
    edit->setText(QStringLiteral("12"));
    edit->setCursorPosition(1);
    QTest::keyClick(edit, Qt::Key_Left); // moves the caret, inside the text
    QTest::keyClick(edit, Qt::Key_Left); // now at the start
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Down);
    edit->setCursorPosition(2);
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Return);
    const std::vector<Seen> expected = {
        {"valuechangedleft", "edit_main_volume", "", 0}, {"valuechangedup", "edit_main_volume", "", 0},
        {"valuechangeddown", "edit_main_volume", "", 0}, {"valuechangedright", "edit_main_volume", "", 0},
        {"return", "edit_main_volume", "", 0},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
}

TEST_F(Notifications, ComboReportsTheUsersChoiceOnly)
{
    combo->setCurrentIndex(1);
    emit combo->activated(2);
    const std::vector<Seen> expected = {{"itemselect", "btn_input_source", "", 2}};
    EXPECT_EQ(seen, expected);
}

TEST_F(Notifications, FocusAndRootResize)
{
    QFocusEvent in(QEvent::FocusIn);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(edit, &in);
    QApplication::sendEvent(edit, &out);
    QApplication::sendEvent(button, &in); // buttons take focus without telling
    QResizeEvent resize(QSize(10, 10), QSize(5, 5));
    QApplication::sendEvent(&root, &resize);
    const std::vector<Seen> expected = {
        {"setfocus", "edit_main_volume", "", 0},
        {"killfocus", "edit_main_volume", "", 0},
        {"windowsize", "mainpage", "", 0},
    };
    EXPECT_EQ(seen, expected);
}

TEST(Notification, IndexIsTheUserDataNumberOrZero)
{
    const struct {
        const char* userData;
        int index;
    } cases[] = {{"7", 7}, {" 11 ", 11}, {"", 0}, {"left", 0}, {"3a", 0}};
    for (const auto& c : cases) {
        Notification n;
        n.userData = QString::fromLatin1(c.userData);
        EXPECT_EQ(n.index(), c.index) << c.userData;
    }
}

} // namespace
} // namespace dravo
