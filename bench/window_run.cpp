// The whole run of the start view at limit 100, from the click on View to
// the painted picture, in the headless window with the real QuorC.
#include "appfolder.h"
#include "window/viewcore.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

using namespace quorvane;
using namespace quorvane::testing;

static void BM_ViewClickStartView(benchmark::State& state) {
    AppFolder folder;
    FakePlatform platform;
    auto window = startWindow(folder, platform);
    for (auto _ : state) {
        click(window->controls().View);
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

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
