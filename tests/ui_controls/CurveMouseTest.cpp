// The mouse rules of the curve control and the notifications they send.
#include "CurveGeometry.h"
#include "CurveNotifications.h"
#include "CurveTestSupport.h"

namespace dravo::test {
namespace {

class CurveMouse : public CurveFixture {
protected:
    CurveMouse()
    {
        curve->setParametric(true);
        curve->setBands({band(100, 6.0f), band(1000, -6.0f), band(5000, 0.0f, 2.0f, /*all-pass*/ 1)});
        curve->setCrossover(80, 12000);
    }

    QPoint handle(int i) const { return curve->bandHandleRect(i).center(); }
};

TEST_F(CurveMouse, ABandDraggedOutOfThePlotStopsAtTheAxisEnds)
{
    struct Case {
        QPoint to;
        int hz;
        float db;
    };
    const Case cases[] = {{{-100, -100}, 20, 12.0f}, {{900, 900}, 20000, -18.0f}, {{400, 0}, 20000, 12.0f}};
    for (const Case& c : cases) {
        curve->setBands({band(100, 6.0f), band(1000, -6.0f)});
        sent.clear();
        drag(handle(1), c.to);
        EXPECT_EQ(curve->band(1).freq, c.hz) << c.to.x() << "," << c.to.y();
        EXPECT_FLOAT_EQ(curve->band(1).gain, c.db) << c.to.x() << "," << c.to.y();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.front().type, curve_notify::kEq);
        EXPECT_EQ(sent.back().type, curve_notify::kEqRelease);
        for (const Sent& s : sent)
            EXPECT_EQ(s.userData, "1");
        EXPECT_EQ(curve->capture(), UIEqualizer::NoCapture);
    }
}

TEST_F(CurveMouse, InGraphicModeABandMovesOnlyVertically)
{
    curve->setParametric(false);
    const QRect before = curve->bandHandleRect(1);
    drag(handle(1), {handle(1).x() + 80, 60});
    EXPECT_EQ(curve->band(1).freq, 1000);
    EXPECT_FLOAT_EQ(curve->band(1).gain, 6.0f);
    EXPECT_EQ(curve->bandHandleRect(1).left(), before.left());
    EXPECT_EQ(types(), (std::vector<std::string>{curve_notify::kEq, curve_notify::kEqRelease}));
}

TEST_F(CurveMouse, ABandWithoutGainFollowsOnlyInFrequency)
{
    drag(handle(2), {100, 30});
    EXPECT_FLOAT_EQ(curve->band(2).gain, 0.0f);
    EXPECT_EQ(curve->band(2).freq, curve->axes().hzOf(100));
}

TEST_F(CurveMouse, TheQHandleSetsQWithinItsRange)
{
    curve->setSelectedBand(1); // Q 1: the handles sit 81 pixels either side
    const int x = curve->axes().xOf(1000);
    ASSERT_EQ(curve->qHandleRect(1).left(), x + 81 - 4);
    press(curve->qHandleRect(1).center());
    ASSERT_EQ(curve->capture(), UIEqualizer::FactorCaptured);

    struct Step {
        int x;
        double q;
    };
    // Closer than 3 pixels holds at 27; beyond 162 pixels, and past the
    // plot's edge, at 0.5; the side does not matter.
    for (const Step& s : {Step{x + 1, 27.0}, Step{x + 27, 3.0}, Step{x - 162, 0.5}, Step{x + 1000, 0.5}}) {
        moveTo({s.x, handle(1).y()});
        EXPECT_NEAR(curve->band(1).q, s.q, 1e-6) << s.x;
        EXPECT_GE(curve->band(1).q, kMinQ);
        EXPECT_LE(curve->band(1).q, kMaxQ);
    }
    release({x + 40, 0});
    EXPECT_NEAR(curve->band(1).q, 81.0 / 40, 1e-6);
    EXPECT_EQ(sent.back().type, curve_notify::kEqRelease);
    EXPECT_EQ(sent.back().userData, "1");
    EXPECT_EQ(curve->band(1).freq, 1000); // only Q moved
}

TEST_F(CurveMouse, APressWhereAQHandleCoversTheBandStartsAQDrag)
{
    curve->setBands({band(1000, 0.0f, static_cast<float>(kMaxQ))});
    curve->setSelectedBand(0);
    ASSERT_TRUE(curve->qHandleRect(1).intersects(curve->bandHandleRect(0)));
    const QPoint overlap = curve->qHandleRect(1).intersected(curve->bandHandleRect(0)).center();
    press(overlap);
    EXPECT_EQ(curve->capture(), UIEqualizer::FactorCaptured);
}

TEST_F(CurveMouse, CrossoverHandlesNeverPassEachOther)
{
    const int lp = curve->lpFreq();
    press(curve->hpHandleRect().center());
    ASSERT_EQ(curve->capture(), UIEqualizer::HpCaptured);
    EXPECT_EQ(curve->selectedBand(), -1);
    for (int x = curve->hpHandleRect().center().x(); x <= 420; ++x) {
        moveTo({x, 200});
        ASSERT_LT(curve->hpFreq(), lp) << x;
    }
    // It reached the last pixel before L.
    EXPECT_GE(curve->axes().xOf(curve->hpFreq()), curve->axes().xOf(lp) - 1);
    release({420, 200});
    EXPECT_LT(curve->hpFreq(), lp);
    EXPECT_EQ(sent.back().type, curve_notify::kHpRelease);

    // And the other way round, from a fresh pair.
    curve->setCrossover(1000, 12000);
    sent.clear();
    press(curve->lpHandleRect().center());
    ASSERT_EQ(curve->capture(), UIEqualizer::LpCaptured);
    for (int x = curve->lpHandleRect().center().x(); x >= -20; --x) {
        moveTo({x, 200});
        ASSERT_GT(curve->lpFreq(), 1000) << x;
    }
    release({-20, 200});
    EXPECT_GT(curve->lpFreq(), 1000);
    EXPECT_LE(curve->axes().xOf(curve->lpFreq()), curve->axes().xOf(1000) + 1);
    EXPECT_EQ(curve->hpFreq(), 1000);
    EXPECT_EQ(sent.front().type, curve_notify::kLp);
    EXPECT_EQ(sent.back().type, curve_notify::kLpRelease);
}

TEST_F(CurveMouse, CrossoverDragsBeforeAnyBandWasSelectedNameABandForTheOwner)
{
    drag(curve->hpHandleRect().center(), {200, 200});
    ASSERT_FALSE(sent.empty());
    for (const Sent& s : sent)
        EXPECT_EQ(s.userData, "0") << s.type;
}

TEST_F(CurveMouse, WithoutTheOtherHandleACrossoverHandleReachesTheAxisEnd)
{
    curve->setCrossover(80, 0); // no L handle
    ASSERT_TRUE(curve->lpHandleRect().isNull());
    drag(curve->hpHandleRect().center(), {500, 200});
    EXPECT_EQ(curve->hpFreq(), 20000);
}

TEST_F(CurveMouse, AClickOnEmptySpaceSelectsNothingAndSaysNothing)
{
    const QPoint empty(200, 20);
    drag(empty, empty);
    EXPECT_EQ(curve->selectedBand(), -1);
    EXPECT_EQ(curve->capture(), UIEqualizer::NoCapture);
    EXPECT_TRUE(sent.empty());

    curve->setSelectedBand(0);
    drag(empty, empty);
    EXPECT_EQ(curve->selectedBand(), 0);
    EXPECT_TRUE(sent.empty());
}

TEST_F(CurveMouse, HoveringABandSelectsItOnce)
{
    moveTo(handle(0), false);
    moveTo(handle(0) + QPoint(1, 0), false);
    EXPECT_EQ(curve->selectedBand(), 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].type, curve_notify::kEq);
    EXPECT_EQ(sent[0].userData, "0");
    EXPECT_EQ(curve->property("userdata").toString(), "0");
    EXPECT_TRUE(curve->infoText().startsWith("100 Hz"));
}

TEST_F(CurveMouse, AnOwnerThatHandsTheBandsBackKeepsTheDragGoing)
{
    // As the tuning logic does: every notification is answered with the
    // whole band list, the selection and the crossover.
    QObject::connect(curve.get(), &UIEqualizer::notify, [this](const Notification& n) {
        const int index = n.index();
        std::vector<DisplayBand> bands;
        for (int i = 0; i < curve->bandCount(); ++i)
            bands.push_back(curve->band(i));
        curve->setBands(bands);
        curve->setSelectedBand(index);
        curve->setCrossover(curve->hpFreq(), curve->lpFreq());
    });
    press(handle(1));
    for (int x = handle(1).x(); x <= 300; x += 7)
        moveTo({x, 100});
    release({300, 100});
    EXPECT_EQ(curve->band(1).freq, curve->axes().hzOf(300));
    EXPECT_NEAR(curve->band(1).gain, curve->axes().dbOf(100), 1e-5);
    EXPECT_EQ(sent.back().type, curve_notify::kEqRelease);
}

TEST(CurveNotices, EachNotificationNamesWhatWasDraggedAndWhetherItEnded)
{
    struct Case {
        const char* type;
        int cmd;
        bool final;
    };
    for (const Case& c : {Case{"equalizer_eq", 0, false}, Case{"equalizer_eq_release", 0, true},
                          Case{"equalizer_hp", 1, false}, Case{"equalizer_hp_release", 1, true},
                          Case{"equalizer_lp", 2, false}, Case{"equalizer_lp_release", 2, true}}) {
        const auto notice = findCurveNotice(QString::fromLatin1(c.type));
        ASSERT_TRUE(notice) << c.type;
        EXPECT_EQ(notice->cmd, c.cmd) << c.type;
        EXPECT_EQ(notice->final, c.final) << c.type;
    }
    EXPECT_FALSE(findCurveNotice("click"));
}

} // namespace
} // namespace dravo::test
