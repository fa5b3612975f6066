// What the curve control paints, and that it paints whatever it is given.
#include "ChannelCurve.h"
#include "CurveRegistration.h"
#include "CurveTestSupport.h"
#include "CustomWidgets.h"
#include "Languages.h"

#include <QImage>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <limits>

namespace dravo::test {
namespace {

// Twelve outputs with different crossovers and bands, as the tuning logic
// would hand them over.
struct TwelveCurves {
    std::array<ChannelCurve, 12> curves{};

    TwelveCurves()
    {
        for (int c = 0; c < 12; ++c) {
            const CurveBand bands[] = {{60 + 40 * c, 4.0 - c, 1.4, 1, 0},
                                       {1000 + 300 * c, c % 2 ? 6.0 : -8.0, 2.0, 1, 0},
                                       {6000, 0.0, 1.0, 1, 1}};
            const CurveFilter hp{30 + 20 * c, 1 + c % 3, 2 + c % 4, c == 11 ? 1 : 0};
            const CurveFilter lp{20000 - 1500 * c, 1 + (c + 1) % 3, 2 + c % 3, c == 0 ? 1 : 0};
            UpdateChannelCurve({hp, lp, bands}, false, curves[std::size_t(c)]);
        }
    }

    std::array<CurveView, 12> views() const
    {
        std::array<CurveView, 12> v{};
        for (std::size_t c = 0; c < 12; ++c)
            v[c] = {curves[c].frequency.data(), curves[c].magnitude.data(), curves[c].phase.data(), kCurvePoints};
        return v;
    }
};

const std::array<int, 12> kAllShown = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

QImage shot(UIEqualizer& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

int pixelsNear(const QImage& image, QRgb color, int tolerance = 24)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(color)) <= tolerance && std::abs(qGreen(p) - qGreen(color)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(color)) <= tolerance)
                ++n;
        }
    return n;
}

class CurvePaint : public CurveFixture {};

TEST_F(CurvePaint, PaintsWhateverItIsGiven)
{
    static const TwelveCurves twelve;
    std::array<double, kCurvePoints> wild{};
    for (std::size_t k = 0; k < wild.size(); ++k)
        wild[k] = k % 3 == 0 ? std::numeric_limits<double>::quiet_NaN() : (k % 3 == 1 ? -400.0 : 1e300);

    struct Case {
        const char* what;
        std::function<void(UIEqualizer&)> give;
    };
    const Case cases[] = {
        {"no bands", [](UIEqualizer& w) { w.setBands({}); }},
        {"all bypassed", [](UIEqualizer& w) {
             w.setBands({CurveFixture::band(100, 0), CurveFixture::band(1000, 0)});
             w.setAllBypassed(true);
         }},
        {"twelve curves, band selected", [](UIEqualizer& w) {
             w.setBands({CurveFixture::band(100, 3), CurveFixture::band(1000, -4)});
             w.setSelectedBand(1);
             w.setCrossover(80, 16000);
             w.setCurves(twelve.views(), kAllShown, 3);
         }},
        {"no current output", [](UIEqualizer& w) { w.setCurves(twelve.views(), kAllShown, 12); }},
        {"broken curve data", [&wild](UIEqualizer& w) {
             std::array<CurveView, 12> v = twelve.views();
             v[0] = {twelve.curves[0].frequency.data(), wild.data(), wild.data(), kCurvePoints};
             v[1] = {wild.data(), wild.data(), wild.data(), kCurvePoints};
             v[2] = {nullptr, nullptr, nullptr, kCurvePoints};
             v[3].points = 5000;
             w.setCurves(v, kAllShown, 0);
         }},
        {"empty control", [](UIEqualizer& w) { w.resize(0, 0); }},
    };
    for (const Case& c : cases) {
        for (bool phase : {false, true}) {
            UIEqualizer w;
            w.setScalePercent(125);
            w.resize(400, 300);
            w.setPhaseShown(phase);
            w.setParametric(true);
            c.give(w);
            const QImage image = shot(w);
            EXPECT_EQ(image.size(), w.size()) << c.what;
        }
    }
}

TEST_F(CurvePaint, TheAllBypassTextSitsFortyPixelsBelowTheTop)
{
    curve->setBands({band(100, 0), band(1000, 0)});
    ASSERT_TRUE(curve->allBypassed());
    const QImage bypassed = shot(*curve);
    curve->setAllBypassed(false);
    const QImage plain = shot(*curve);

    int differing = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (bypassed.pixel(x, y) != plain.pixel(x, y)) {
                ++differing;
                ASSERT_GE(y, 40) << x;
            }
    EXPECT_GT(differing, 20);
}

TEST_F(CurvePaint, CurveColoursComeFromTheLayoutWithDefaultsForTheRest)
{
    static const TwelveCurves twelve;
    std::array<int, 12> shown{};
    shown[1] = 1;
    shown[2] = 1;
    curve->setCurves(twelve.views(), shown, 0);
    curve->setProperty("curvecolor", QStringLiteral("#FFFF00FF #FF0080FF"));

    const QImage image = shot(*curve);
    EXPECT_GT(pixelsNear(image, 0xFFFF00FF), 50);  // output 0, current, its own colour
    EXPECT_GT(pixelsNear(image, 0xFF0080FF), 50);  // output 1
    EXPECT_GT(pixelsNear(image, 0xFF646464), 50);  // output 2, no colour given
    EXPECT_EQ(pixelsNear(image, 0xFF00C000), 0);   // the current one's default is not used

    curve->setProperty("curvecolor", QString());
    EXPECT_GT(pixelsNear(shot(*curve), 0xFF00C000), 50);
}

// The other outputs' curves are kept between paints; whatever changes them
// must show on the next paint.
TEST_F(CurvePaint, ChangesUnderTheSelectedCurveShowAtOnce)
{
    static const TwelveCurves twelve;
    std::array<CurveView, 12> views = twelve.views();
    std::array<int, 12> shown{};
    shown[1] = 1;
    curve->setProperty("curvecolor", QStringLiteral("#FF000000 #FFFF00FF"));
    curve->setCurves(views, shown, 0);
    const QImage first = shot(*curve);
    ASSERT_GT(pixelsNear(first, 0xFFFF00FF), 50);

    // New data for output 1 only.
    std::array<double, kCurvePoints> low{};
    low.fill(-15.0);
    views[1].magnitude = low.data();
    curve->setCurves(views, shown, 0);
    EXPECT_NE(shot(*curve), first);

    // Output 1 hidden.
    shown[1] = 0;
    curve->setCurves(views, shown, 0);
    EXPECT_EQ(pixelsNear(shot(*curve), 0xFFFF00FF), 0);

    // Another colour for it, shown again.
    shown[1] = 1;
    curve->setCurves(views, shown, 0);
    curve->setProperty("curvecolor", QStringLiteral("#FF000000 #FF00FFFF"));
    const QImage recoloured = shot(*curve);
    EXPECT_EQ(pixelsNear(recoloured, 0xFFFF00FF), 0);
    EXPECT_GT(pixelsNear(recoloured, 0xFF00FFFF), 50);

    // The all-bypass text follows the language.
    curve->setBands({band(100, 0)});
    LanguageTable english;
    english.insert("${all_bypass}", "EQ bypassed");
    LanguageTable other;
    other.insert("${all_bypass}", "WWWWWWWWWWWWWWWWWWWWWWWW");
    RegisterLanguageTable(english, "en");
    RegisterLanguageTable(other, "cn_zh");
    const QImage inEnglish = shot(*curve);
    SetLanguage("cn_zh");
    EXPECT_NE(shot(*curve), inEnglish);
    ReleaseLanguages();
}

TEST(CurveRegistration, TheLayoutElementCurveMakesTheControl)
{
    app();
    RegisterCurveControls();
    std::unique_ptr<QWidget> made(CreateCustomWidget("Curve", nullptr));
    EXPECT_NE(qobject_cast<UIEqualizer*>(made.get()), nullptr);
}

// Screenshots with a few bands moved and crossovers set, written next to the
// test binary to be looked at.
TEST_F(CurvePaint, Screenshots)
{
    static const TwelveCurves twelve;
    LanguageTable table;
    table.insert("${all_bypass}", "EQ bypassed");
    RegisterLanguageTable(table, "en");

    struct Shot {
        int scale;
        const char* file;
    };
    for (const Shot& s : {Shot{100, "curve_100.png"}, Shot{150, "curve_150.png"}}) {
        UIEqualizer w;
        w.setScalePercent(s.scale);
        w.resize(900 * s.scale / 100, 300 * s.scale / 100);
        w.setPhaseShown(true);
        w.setParametric(true);
        std::vector<DisplayBand> bands;
        for (int b = 0; b < 10; ++b)
            bands.push_back(band(static_cast<int>(40 * std::pow(1.8, b)), 0));
        bands[2].gain = 4.5f;
        bands[5].gain = -7.0f;
        bands[5].q = 2.5f;
        bands[8].gain = 3.0f;
        bands[9].type = 1;
        w.setBands(bands);
        w.setSelectedBand(5);
        w.setCrossover(60, 14000);
        w.setCurves(twelve.views(), kAllShown, 4);
        const QImage image = shot(w);
        EXPECT_TRUE(image.save(QStringLiteral(CURVE_SHOT_DIR "/") + s.file));
        EXPECT_GT(pixelsNear(image, 0xFF00C000), 100);
        EXPECT_GT(pixelsNear(image, 0xFFFF0000), 30); // selected band, its label and Q handles
    }
    ReleaseLanguages();
}

} // namespace
} // namespace dravo::test
