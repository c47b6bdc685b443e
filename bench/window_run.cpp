// The window's long work, headless with the real QuorC: the run of the start
// view from the click on View to the painted picture, and the steps of an
// orbit trace drawn over the picture.
#include "appfolder.h"
#include "window/sfondo.h"
#include "window/viewcore.h"

#include <QApplication>
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
        click(ui.View);
        // The run ends when its picture is painted and the window is ready.
        waitUntil([&] { return ui.View->isEnabled() && !ui.Ferma->isEnabled(); });
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
    for (auto _ : state)
        window->core().paintTable();
}
BENCHMARK(BM_PaintTable)->Unit(benchmark::kMillisecond);

// The orbit of c = 0, which never leaves: each round draws a trace of
// 20000 steps, stopped by "Stop", and removes it again. Steps per second.
static void BM_TraceSteps(benchmark::State& state) {
    constexpr int Steps = 20000;
    AppFolder folder;
    FakePlatform platform;
    auto window = startWindow(folder, platform);
    const Controls& ui = window->controls();
    click(ui.Julia);
    QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, QPoint(482, 361) + QPoint(2, 2));
    std::int64_t steps = 0;
    for (auto _ : state) {
        clickWhen(ui.StopTraccia, [&] { return ui.N_Tracce->text().toInt() >= Steps; });
        click(ui.Traccia);
        waitUntil([&] { return !ui.StopTraccia->isEnabled() && ui.Traccia->isEnabled(); });
        steps += ui.N_Tracce->text().toInt();
        click(ui.Traccia);
    }
    state.SetItemsProcessed(steps);
}
BENCHMARK(BM_TraceSteps)->Unit(benchmark::kMillisecond)->MinTime(3.0);

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
