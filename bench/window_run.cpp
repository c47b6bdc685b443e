// The window's long work, headless with the real QuorC: the run of the start
// view from the click on View to the painted picture, and the steps of an
// orbit trace drawn over the picture.
#include "appfolder.h"
#include "domain/painting.h"
#include "model/explorer.h"
#include "window/sfondo.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace quorvane;
using namespace quorvane::testing;

static void BM_ViewClickStartView(benchmark::State& state) {
    AppFolder folder;
    FakePlatform platform;
    auto window = startWindow(folder, platform);
    const Controls& ui = window->controls();
    for (auto _ : state) {
        QTest::mouseClick(ui.View, Qt::LeftButton);
        // The run ends when its picture is painted and the window is ready.
        waitForIdle(*window);
        if (!platform.messages.isEmpty()) {
            state.SkipWithError("the run reported an error");
            break;
        }
    }
    state.counters["runs"] = double(platform.engineStarts);
}
BENCHMARK(BM_ViewClickStartView)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The painting alone: table through the palette into the picture.
static void BM_PaintTable(benchmark::State& state) {
    AppFolder folder;
    FakePlatform platform;
    auto window = startWindow(folder, platform);
    const Explorer& model = window->explorer();
    for (auto _ : state)
        benchmark::DoNotOptimize(paintCounts(model.history().table().counts,
                                             (*model.colouring().palette()),
                                             model.colouring().iterMax()));
}
BENCHMARK(BM_PaintTable)->Unit(benchmark::kMillisecond);

// The orbit of c = 0, which never leaves: each round picks the point in
// Julia mode, draws a trace of 20000 steps, stopped by "Stop", and removes
// it again. Steps per second of wall time.
static void BM_TraceSteps(benchmark::State& state) {
    constexpr int Steps = 20000;
    AppFolder folder;
    FakePlatform platform;
    auto window = startWindow(folder, platform);
    const Controls& ui = window->controls();
    std::int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        click(ui.Julia);
        QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, QPoint(482, 361) + QPoint(2, 2));
        state.ResumeTiming();
        clickWhen(ui.StopTraccia, [&] { return ui.N_Tracce->text().toInt() >= Steps; });
        QTest::mouseClick(ui.Traccia, Qt::LeftButton);
        waitForIdle(*window);
        steps += ui.N_Tracce->text().toInt();
        state.PauseTiming();
        click(ui.Traccia);
        click(ui.Julia);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(steps);
    state.counters["steps/s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TraceSteps)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
