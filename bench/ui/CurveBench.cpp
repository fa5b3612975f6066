// Painting the curve control, and one step of a band drag: mouse move →
// notification → tuning logic (band stored, curve recomputed, bands and
// curves handed back) → repaint. Offscreen, painted into an image of the
// control's size.
#include "ChannelCurve.h"
#include "CurveNotifications.h"
#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "MemoryPage.h"
#include "SimBackend.h"
#include "TestHost.h"
#include "UIEqualizer.h"
#include "ValueIntake.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace dravo {
namespace {

// The main page's graph at 100 % ("equalizer" of the main layout), and a
// graph more than twice as wide for a stricter measure.
constexpr QSize kMainPageSize(530, 188);
constexpr QSize kWideSize(1180, 300);

QSize sizeAt(int scale, bool wide)
{
    return (wide ? kWideSize : kMainPageSize) * scale / 100;
}

void ensureApp()
{
    static int argc = 1;
    static char name[] = "ui_curve_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
}

// Declared first in a rig, so the application exists before its widgets.
struct AppFirst {
    AppFirst() { ensureApp(); }
};

void paintInto(UIEqualizer& curve, QImage& image)
{
    curve.render(&image);
}

void mouse(UIEqualizer& curve, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(p), curve.mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&curve, &event);
}

// Twelve different outputs, each with a crossover and a few bands; a
// different `variant` moves every band.
std::array<ChannelCurve, 12> makeCurves(int variant = 0)
{
    std::array<ChannelCurve, 12> curves{};
    for (int c = 0; c < 12; ++c) {
        const CurveBand bands[] = {{60 + 40 * c + variant, 4.0 - c, 1.4, 1, 0},
                                   {1000 + 300 * c, c % 2 ? 6.0 : -8.0, 2.0, 1, 0},
                                   {6000, 0.0, 1.0, 1, 1}};
        UpdateChannelCurve({{30 + 20 * c, 1 + c % 3, 2 + c % 4, 0}, {20000 - 1500 * c, 1 + (c + 1) % 3, 2 + c % 3, 0},
                            bands},
                           false, curves[std::size_t(c)]);
    }
    return curves;
}

struct PaintRig {
    PaintRig(int scale, bool wide)
    {
        curve.setScalePercent(scale);
        curve.resize(sizeAt(scale, wide));
        curve.setParametric(true);
        curve.setPhaseShown(true);
        std::vector<DisplayBand> bands(31);
        for (int b = 0; b < 31; ++b)
            bands[std::size_t(b)].freq = 20 + b * 600;
        bands[4].gain = 5.0f;
        curve.setBands(bands);
        curve.setSelectedBand(4);
        curve.setCrossover(60, 15000);
        for (std::size_t c = 0; c < 12; ++c) {
            views[c] = {curves[c].frequency.data(), curves[c].magnitude.data(), curves[c].phase.data(), kCurvePoints};
            otherViews[c] = {otherCurves[c].frequency.data(), otherCurves[c].magnitude.data(),
                             otherCurves[c].phase.data(), kCurvePoints};
        }
        curve.setCurves(views, shown, 0);
        image = QImage(curve.size(), QImage::Format_ARGB32_Premultiplied);
    }

    AppFirst app;
    std::array<ChannelCurve, 12> curves = makeCurves();
    std::array<ChannelCurve, 12> otherCurves = makeCurves(25);
    std::array<CurveView, 12> views{};
    std::array<CurveView, 12> otherViews{};
    std::array<int, 12> shown = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    UIEqualizer curve;
    QImage image;
};

// A full paint of twelve new curves: every one traced and drawn, nothing
// kept from the paint before.
void BM_PaintNewCurves(benchmark::State& state)
{
    PaintRig rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        rig.curve.setCurves(flip ? rig.otherViews : rig.views, rig.shown, 0);
        paintInto(rig.curve, rig.image);
        benchmark::DoNotOptimize(rig.image.constBits());
    }
}
// range(0): scale; range(1): 0 the main page's size, 1 the wide graph.
BENCHMARK(BM_PaintNewCurves)->ArgsProduct({{100, 150}, {0, 1}})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A repaint of unchanged curves (hovering, a crossover handle moving): the
// other outputs' curves come from the kept underlay.
void BM_Repaint(benchmark::State& state)
{
    PaintRig rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        paintInto(rig.curve, rig.image);
        benchmark::DoNotOptimize(rig.image.constBits());
    }
}
BENCHMARK(BM_Repaint)->ArgsProduct({{100, 150}, {0, 1}})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The main page as the tuning logic sees it, with this control as its graph.
class GraphPage final : public Page {
public:
    GraphPage(MemoryPage& controls, UIEqualizer& graph) : mControls(controls), mGraph(graph) {}
    Control* find(const std::string& name) override { return mControls.find(name); }
    EqualizerView* equalizer() override { return &mGraph; }
    std::string text(const std::string& id) override { return mControls.text(id); }
    int scale() const override { return mGraph.scalePercent(); }

private:
    MemoryPage& mControls;
    UIEqualizer& mGraph;
};

struct DragRig {
    DragRig(int scale, bool linked) : link(backend.handle()), page(controls, curve), manager(link, host)
    {
        curve.setScalePercent(scale);
        curve.resize(sizeAt(scale, false));
        curve.setPhaseShown(true);
        controls.addMainPageControls();
        host.attach(manager);
        manager.Bind(page, host);

        // As the page's dispatch does with the graph's notifications.
        QObject::connect(&curve, &UIEqualizer::notify, [this](const Notification& n) {
            const auto notice = findCurveNotice(n.type);
            const int index = n.index();
            if (!notice || index < 0)
                return;
            manager.editing().EqualizerCallback(index, notice->cmd, notice->final,
                                                {curve.band(index), curve.hpFreq(), curve.lpFreq()});
        });

        SenceConfig& live = manager.live();
        live.peqMode = 1;
        live.showOutChEqualizer.fill(1);
        for (int c = 0; c < 12; ++c) {
            auto& row = *live.bandsOf(c);
            row[std::size_t(c % 8)].eqGain = 4.0f;
            row[std::size_t(10 + c % 5)].eqGain = -6.0f;
            live.channels[std::size_t(c)].bypass = 0;
        }
        if (linked) {
            // Output 1 follows output 0: its curve changes with every move
            // too, so the kept underlay is redrawn each time.
            live.linkMode = 1;
            live.linkOutputs.fill(-1);
            live.linkOutputs[0] = 1;
            live.linkOutputs[1] = 0;
        }
        manager.intake().SetReadProfileToView();
        curve.setParametric(true);
        manager.intake().UpdateEqualizer(kBand);
        image = QImage(curve.size(), QImage::Format_ARGB32_Premultiplied);
        paintInto(curve, image);

        const QRect handle = curve.bandHandleRect(kBand);
        start = handle.center();
        mouse(curve, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    }

    ~DragRig() { mouse(curve, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton); }

    static constexpr int kBand = 12;
    AppFirst app;
    sim::SimBackend backend;
    DeviceLink link;
    test::TestHost host;
    MemoryPage controls{true};
    UIEqualizer curve;
    GraphPage page;
    EqualizerManager manager;
    QImage image;
    QPoint start;
};

// range(0): scale; range(1): 1 when a linked output follows the drag.
void BM_DragBand(benchmark::State& state)
{
    DragRig rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    const int s = static_cast<int>(state.range(0));
    int step = 0;
    for (auto _ : state) {
        // Every move changes both frequency and gain.
        ++step;
        const QPoint to = rig.start + QPoint((step % 40 - 20) * s / 100 * 3, (step % 30 - 15) * s / 100 * 4);
        mouse(rig.curve, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        paintInto(rig.curve, rig.image);
        benchmark::DoNotOptimize(rig.image.constBits());
    }
    const float gain = rig.manager.live().bandsOf(rig.manager.live().currOutChannel)->at(DragRig::kBand).eqGain;
    const float partnerGain = rig.manager.live().bandsOf(1)->at(DragRig::kBand).eqGain;
    if (gain == 0.0f || (state.range(1) != 0 && partnerGain != gain))
        state.SkipWithError("the drag never reached the model");
}
BENCHMARK(BM_DragBand)->ArgsProduct({{100, 150}, {0, 1}})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace
} // namespace dravo
