// The engine's speed on the views that matter: the plain algorithm, the
// fast kernel without and with cycle detection (run in pairs, one right
// after the other, so that a busy machine slows both alike), and the whole
// QuorC process from job to final report. Ratios are against the plain
// algorithm measured in the same run; the table at the end is the one in
// the README. Plain runs on the views at 32767 take 8 to 17 s each:
// --benchmark_filter=fast or =process leaves them out (no ratios then).
#include "exchange.h"
#include "job.h"
#include "kernel.h"
#include "quorc_run.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct View {
    const char* name;
    quor::TableJob job; // tipo, xa, xb, ya, yb, nmax, xj, yj
    int plainRuns;
};

const View views[] = {
    {"start", {0, -2, 1, -1.5, 1.5, 32767}, 1},
    {"north", {0, -0.16, -0.14, 1.03, 1.05, 32767}, 1},
    {"antenna", {0, -1.79, -1.74, -0.025, 0.025, 32767}, 1},
    {"boundary", {0, -0.7453, -0.7433, 0.1121, 0.1141, 32767}, 3},
    {"rabbit", {1, -1.6, 1.6, -1.6, 1.6, 32767, -0.12, 0.75}, 1},
    {"basilica", {1, -1.6, 1.6, -1.6, 1.6, 32767, -1, 0}, 1},
    {"start", {0, -2, 1, -1.5, 1.5, 100}, 10},
    {"outside", {0, 3, 4, 3, 4, 32767}, 10},
};

std::string key(const View& v) {
    return std::string(v.name) + "/" + std::to_string(v.job.nmax);
}

// What each benchmark found, for the table at the end: median times in
// milliseconds and step counts.
struct Figures {
    double plain = 0, off = 0, on = 0, process = 0, pairRatio = 0;
    std::uint64_t plainSteps = 0, onSteps = 0;
};
std::map<std::string, Figures>& figures() {
    static std::map<std::string, Figures> m;
    return m;
}

template <class F> double milliseconds(F&& f) {
    const auto t0 = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void Plain(benchmark::State& state, const View& view) {
    std::vector<std::uint32_t> table(quor::TableSize);
    std::vector<double> times;
    for (auto _ : state) {
        times.push_back(milliseconds([&] { quor::plainTable(view.job, table.data()); }));
        state.SetIterationTime(times.back() / 1e3);
    }
    Figures& f = figures()[key(view)];
    f.plain = median(times);
    f.plainSteps = std::accumulate(table.begin(), table.end(), std::uint64_t{0});
}

// Without and with detection, in turn; the ratio of each pair, and its
// median, say what detection gains on this machine at this moment.
void Fast(benchmark::State& state, const View& view) {
    std::vector<std::uint32_t> table(quor::TableSize);
    std::vector<double> off, on, ratios;
    quor::FastOptions without;
    without.cycles = false;
    quor::FastOptions with;
    std::uint64_t steps = 0;
    with.steps = &steps;
    for (auto _ : state) {
        off.push_back(milliseconds([&] { quor::fastTable(view.job, table.data(), {}, without); }));
        on.push_back(milliseconds([&] { quor::fastTable(view.job, table.data(), {}, with); }));
        ratios.push_back(off.back() / on.back());
        state.SetIterationTime(on.back() / 1e3);
    }
    Figures& f = figures()[key(view)];
    f.off = median(off);
    f.on = median(on);
    f.pairRatio = median(ratios);
    f.onSteps = steps;
    state.counters["without_ms"] = f.off;
    state.counters["x_detection"] = f.pairRatio;
    if (f.plain > 0)
        state.counters["x_plain"] = f.plain / f.on;
    state.SetLabel(quor::isaName(quor::bestIsa()));
}

// The whole program as the window starts it: job file written, QuorC run in
// its folder, until it has exited after the final report.
void Process(benchmark::State& state, const View& view) {
    namespace fs = std::filesystem;
    const fs::path dir = temporaryFolder();
    if (dir.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const quor::TableJob& t = view.job;
    const quor::Job job{t.tipo, t.xa, t.xb, t.ya, t.yb, double(t.nmax), t.xj, t.yj};
    std::vector<double> times;
    for (auto _ : state) {
        for (const char* f : {"Quor.tmp", "Rep.tmp", "Tab.tmp"})
            fs::remove(dir / f);
        quor::writeJob((dir / "Quor.tmp").string(), job);
        times.push_back(milliseconds([&] { runQuorC(dir); }));
        if (quor::readReport((dir / "Rep.tmp").string()) != quor::ReportComplete) {
            state.SkipWithError("QuorC did not complete");
            break;
        }
        state.SetIterationTime(times.back() / 1e3);
    }
    fs::remove_all(dir);
    figures()[key(view)].process = median(times);
}

} // namespace

int main(int argc, char** argv) {
    // The plain runs go first so that the fast ones can state their ratio.
    for (const View& v : views)
        benchmark::RegisterBenchmark(("plain/" + key(v)).c_str(), Plain, v)
            ->Iterations(v.plainRuns)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    for (const View& v : views)
        benchmark::RegisterBenchmark(("fast/" + key(v)).c_str(), Fast, v)
            ->Iterations(v.job.nmax > 100 ? 9 : 41)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    for (const View& v : views)
        benchmark::RegisterBenchmark(("process/" + key(v)).c_str(), Process, v)
            ->Iterations(31)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\n%s, %u hardware threads; medians in ms\n\n", quor::isaName(quor::bestIsa()),
                std::thread::hardware_concurrency());
    std::printf("| View | Limit | Steps, plain | Steps, detection | Plain | Fast without "
                "detection | Fast with detection | Ratio to plain | Whole QuorC |\n"
                "|---|---|---|---|---|---|---|---|---|\n");
    for (const View& v : views) {
        const Figures& f = figures()[key(v)];
        auto ms = [](double t) {
            char buf[32];
            std::snprintf(buf, sizeof buf, t >= 100 ? "%.0f" : t >= 10 ? "%.1f" : "%.2f", t);
            return t > 0 ? std::string(buf) : std::string("–");
        };
        std::printf("| %s | %u | %.3g | %.3g | %s | %s | %s | %.0f × | %s |\n", v.name, v.job.nmax,
                    double(f.plainSteps), double(f.onSteps), ms(f.plain).c_str(), ms(f.off).c_str(),
                    ms(f.on).c_str(), f.on > 0 ? f.plain / f.on : 0.0, ms(f.process).c_str());
    }
    return 0;
}
