// The window's long work, headless with the real QuorC: the run of the start
// view from the click on View to the painted picture, the same for a deep
// view beside QuorC alone on its job, and the steps of an orbit trace drawn
// over the picture.
#include "appfolder.h"
#include "domain/painting.h"
#include "model/explorer.h"
#include "oracle.h"
#include "quorc_run.h"
#include "window/sfondo.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include <spawn.h>

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

// Runs QuorC in folder and waits for its exit. Spawned, not forked: a fork
// of this process, which holds the window, would copy its page tables and
// leave it to copy pages on write for a while, which the window's own run
// right after would pay for.
static void spawnQuorC(const std::filesystem::path& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    char* const argv[] = {const_cast<char*>(QUORC_PATH), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, QUORC_PATH, &actions, nullptr, argv, environ) == 0)
        waitpid(pid, nullptr, 0);
    posix_spawn_file_actions_destroy(&actions);
}

// A deep view, 38 letters towards i at the limit 1000, in pairs: QuorC
// alone on the very job the window writes, as a whole process from its
// start to its exit, then the click on View to the painted picture. The
// window's share is the difference within each pair.
static void BM_ViewClickDeepView(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    const QString name = QString::fromStdString(quoracle::nameTowards({"0", "1"}, 38));
    AppFolder folder;
    QDir().mkpath(folder.file("BeiLuoghi"));
    QFile list(folder.file("BeiLuoghi/BeiLuoghi.txt"));
    if (!list.open(QIODevice::WriteOnly) ||
        list.write("\"" + name.toLatin1() + "\",1000,0\r\n") < 0)
        return state.SkipWithError("no place list");
    list.close();
    FakePlatform platform;
    auto window = startWindow(folder, platform);
    const Controls& ui = window->controls();
    click(ui.Carica);
    const auto job = std::get<quor::DeepJob>(window->explorer().navigator().job(1000));
    const std::filesystem::path alone = temporaryFolder();
    std::vector<double> engine, clicked, apart;
    for (auto _ : state) {
        quor::writeDeepJob((alone / "Quor.tmp").string(), job.limits, job.nmax);
        const auto t0 = Clock::now();
        spawnQuorC(alone);
        const auto t1 = Clock::now();
        QTest::mouseClick(ui.View, Qt::LeftButton);
        waitForIdle(*window);
        const auto t2 = Clock::now();
        if (!platform.messages.isEmpty() || ui.RiquadroCorrente->text() != name)
            return state.SkipWithError("the run did not paint the deep view");
        engine.push_back(ms(t1 - t0));
        clicked.push_back(ms(t2 - t1));
        apart.push_back(clicked.back() - engine.back());
        state.SetIterationTime((t2 - t1) / std::chrono::duration<double>(1));
    }
    std::filesystem::remove_all(alone);
    const auto median = [](std::vector<double> v) {
        std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    state.counters["engine_ms"] = median(engine);
    state.counters["window_ms"] = median(clicked);
    state.counters["window_minus_engine_ms"] = median(apart);
}
BENCHMARK(BM_ViewClickDeepView)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);

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
