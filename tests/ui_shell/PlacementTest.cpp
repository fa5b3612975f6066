// Where menus and the main window appear, and the program's options.
#include "MenuPlacement.h"
#include "StartOptions.h"
#include "WindowPlacement.h"

#include <gtest/gtest.h>

namespace dravo {
namespace {

using namespace menu_align;

TEST(MenuPlacement, EachMenuOpensOnItsSideOfItsButton)
{
    const QRect button(100, 200, 40, 20);  // right edge at 140, bottom at 220
    const QSize menu(150, 90);
    struct Case {
        const char* menu;
        MenuAnchor anchor;
        int alignment;
        QPoint topLeft;
    };
    const Case cases[] = {
        {"advance: below, extending right", MenuAnchor::BottomLeft, kLeft | kTop, {100, 220}},
        {"option: below, ending at the right edge", MenuAnchor::BottomRight, kTop | kRight, {-10, 220}},
        {"output role: below, extending right", MenuAnchor::BottomLeft, kLeft | kTop, {100, 220}},
        {"link group, left half: above with a gap", MenuAnchor::AboveTopLeft, kBottom, {100, 106}},
        {"link group, right half: above, extending left", MenuAnchor::AboveTopLeft, kBottom | kRight, {-50, 106}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuTopLeft(MenuAnchorPoint(button, c.anchor), menu, c.alignment), c.topLeft) << c.menu;
}

TEST(WindowPlacement, CentredInTheWorkAreaAndKeptInside)
{
    struct Case {
        const char* what;
        QSize frame;
        QRect area;
        QPoint topLeft;
    };
    const Case cases[] = {
        {"fits", {1230, 650}, {0, 0, 1920, 1040}, {345, 195}},
        {"second monitor", {1230, 650}, {1920, 0, 1280, 1000}, {1945, 175}},
        {"wider than the area: left edge stays", {1230, 650}, {0, 0, 1024, 768}, {0, 59}},
        {"taller than the area: top stays", {1230, 650}, {0, 30, 1366, 600}, {68, 30}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CentredInWorkArea(c.frame, c.area), c.topLeft) << c.what;
}

TEST(StartOptions, ReadsTheFewOptions)
{
    const StartOptions plain = ParseStartOptions({});
    EXPECT_FALSE(plain.demo);
    EXPECT_TRUE(plain.screenshot.isEmpty());
    EXPECT_EQ(plain.dpi, 0);
    EXPECT_TRUE(plain.language.isEmpty());
    EXPECT_FALSE(plain.reportStartup);
    EXPECT_TRUE(plain.error.isEmpty());

    const StartOptions shot =
        ParseStartOptions({"--demo", "--screenshot", "w.png", "--scale", "150", "--lang", "cn", "--report-startup"});
    EXPECT_TRUE(shot.demo);
    EXPECT_EQ(shot.screenshot, "w.png");
    EXPECT_EQ(shot.dpi, 144);
    EXPECT_EQ(shot.language, "cn_zh");
    EXPECT_TRUE(shot.reportStartup);
    EXPECT_TRUE(shot.error.isEmpty());

    EXPECT_EQ(ParseStartOptions({"--lang", "en"}).language, "en");
    // A picture is taken at 100 % unless a scale is asked for.
    EXPECT_EQ(ParseStartOptions({"--screenshot", "w.png"}).dpi, 96);
    EXPECT_EQ(ParseStartOptions({"--screenshot", "w.png", "--scale", "67"}).dpi, 64);
    EXPECT_EQ(ParseStartOptions({"--demo"}).dpi, 0);
}

TEST(StartOptions, RefusesWhatItCannotUse)
{
    const QStringList bad[] = {
        {"--screenshot"}, {"--scale"},         {"--scale", "110"}, {"--scale", "big"}, {"--scale", "0"},
        {"--scale", "-96"}, {"--scale", "96dpi"}, {"--lang"},        {"--lang", "ru"},   {"--lang", "cn_zh"},
        {"--connect"},    {"demo"},
    };
    for (const QStringList& args : bad) {
        const QString error = ParseStartOptions(args).error;
        EXPECT_FALSE(error.isEmpty()) << args.join(' ').toStdString();
        EXPECT_FALSE(error.contains('\n')) << args.join(' ').toStdString();
    }
}

TEST(StartOptions, ScaleIsTakenAsADisplayDpiOrAsItsPercent)
{
    struct Case {
        int percent;
        int dpi;
    };
    const Case steps[] = {{67, 64}, {80, 77}, {100, 96}, {125, 120}, {150, 144}, {200, 192}, {300, 288}};
    for (const Case& c : steps) {
        EXPECT_EQ(ParseStartOptions({"--scale", QString::number(c.percent)}).dpi, c.dpi) << c.percent;
        EXPECT_EQ(ParseStartOptions({"--scale", QString::number(c.dpi)}).dpi, c.dpi) << c.dpi;
    }
}

TEST(StartOptions, ANewCopyKeepsTheSimulationAndTheLanguage)
{
    EXPECT_EQ(RestartArguments(ParseStartOptions({"--scale", "150", "--screenshot", "w.png"})), QStringList{});
    EXPECT_EQ(RestartArguments(ParseStartOptions({"--lang", "cn", "--demo", "--report-startup"})),
              (QStringList{"--demo", "--lang", "cn"}));
}

} // namespace
} // namespace dravo
