// The display scale: which DPI a screen gets, and what the scale does to
// sizes, style sheets and picture names.
#include "DisplayDpi.h"
#include "DisplayScale.h"
#include "QtTestSupport.h"

#include <gtest/gtest.h>

namespace dravo {
namespace {

TEST(DisplayDpi, ScreenSizeCases)
{
    const struct {
        int w, h, dpi;
    } cases[] = {
        {1920, 1080, 144}, {1280, 720, 96}, {1024, 768, 77}, {1023, 768, 64}, {1366, 768, 96},
        {1600, 900, 120},  {2560, 1440, 192}, {3840, 2160, 288}, {1920, 1200, 144}, {800, 600, 64},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DpiForScreenSize(c.w, c.h), c.dpi) << c.w << " x " << c.h;
}

TEST(DisplayDpi, AStrictlyWiderSecondMonitorWins)
{
    const struct {
        const char* label;
        std::vector<QRect> others;
        QRect chosen;
    } cases[] = {
        {"alone", {}, QRect(0, 0, 1280, 720)},
        {"wider second", {QRect(1280, 0, 1920, 1080)}, QRect(1280, 0, 1920, 1080)},
        {"as wide", {QRect(1280, 0, 1280, 1024)}, QRect(0, 0, 1280, 720)},
        {"mirror at the origin", {QRect(0, 0, 2560, 1440)}, QRect(0, 0, 1280, 720)},
        {"widest of three", {QRect(-1920, 0, 1920, 1080), QRect(1280, 0, 2560, 1440)}, QRect(1280, 0, 2560, 1440)},
        {"later but narrower", {QRect(1280, 0, 2560, 1440), QRect(3840, 0, 1920, 1080)}, QRect(1280, 0, 2560, 1440)},
    };
    for (const auto& c : cases) {
        const ScreenLayout layout{QSize(1280, 720), QRect(), c.others};
        EXPECT_EQ(ChooseDisplayRect(layout), c.chosen) << c.label;
    }
}

TEST(DisplayDpi, LogsWhatItChose)
{
    test::LogCapture log;
    const ScreenLayout layout{QSize(1280, 720), QRect(0, 0, 3200, 1080), {QRect(1280, 0, 1920, 1080)}};
    EXPECT_EQ(ComputeDisplayDpi(layout), 144);
    const std::string text = log.finish();
    for (const char* line : {"m_MainScreen (0,0,1280,720)", "m_VirtualScreen (0,0,3200,1080)",
                             "screen size 1920 x 1080", "DPI 144"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(DisplayScale, ImageVariantNames)
{
    const struct {
        int dpi;
        const char* name;
        const char* variant;
    } cases[] = {
        {96, "button_mute.png", "button_mute.png"},
        {144, "button_mute.png", "button_mute@150.png"},
        {64, "sysbtn/close.png", "sysbtn/close@67.png"},
        {288, "a.b/logo", "a.b/logo@300"},
        {100, "right.png", "right.png"}, // a hand-set DPI takes the nearest size below
        {50, "right.png", "right@67.png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayScale(c.dpi).imageVariant(QString::fromLatin1(c.name)), QString::fromLatin1(c.variant))
            << c.dpi << " " << c.name;
}

TEST(DisplayScale, SizesAndStyleSheets)
{
    const DisplayScale s150(144);
    EXPECT_EQ(s150.scale(QRect(10, 20, 400, 200)), QRect(15, 30, 600, 300));
    EXPECT_EQ(s150.scaleStyleSheet(QStringLiteral("QLabel { font-size: 13px; padding: 5px 16px; border: 0px; }")),
              QStringLiteral("QLabel { font-size: 20px; padding: 8px 24px; border: 0px; }"));
    // A hairline stays visible when shrinking.
    EXPECT_EQ(DisplayScale(64).scaleStyleSheet(QStringLiteral("border: 1px solid")),
              QStringLiteral("border: 1px solid"));
    QFont font;
    font.setPixelSize(12);
    EXPECT_EQ(s150.scale(font).pixelSize(), 18);
}

} // namespace
} // namespace dravo
