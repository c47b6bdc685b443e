// The deep kind's speed on the oracle's fixed views (and a 30-letter view
// towards the same seahorse target): the reference orbit with the series,
// the table, the whole QuorC process, the share of the steps that the
// series leaves to be taken, and the lane-steps per second of one worker
// beside the steps per second of the double kernel on one worker measured
// in the same run (on today's boundary view at 32767, where nearly every
// step is a real one), and the disc from which whole periods are skipped;
// then the tolerance of the series and the periods against the oracle.
#include "deep.h"
#include "kernel.h"
#include "oracle.h"
#include "quorc_run.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

template <class F> double milliseconds(F&& f) {
    const auto t0 = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

struct Figures {
    std::string name;
    std::uint32_t nmax = 0;
    double reference = 0, table = 0, process = 0, one = 0; // best of the runs, ms
    std::uint64_t steps = 0, unskipped = 0, skipped = 0;
    unsigned period = 0;
    double radius = 0; // whole periods skipped from |d| <= radius (0: none)
};
std::map<std::string, Figures>& figures() {
    static std::map<std::string, Figures> m;
    return m;
}
double doubleStepsPerSecond = 0;

// One worker, so that the rates are those of one core.
void Doubles(benchmark::State& state) {
    const quor::TableJob job{0, -0.7453, -0.7433, 0.1121, 0.1141, 32767};
    std::vector<std::uint32_t> table(quor::TableSize);
    quor::FastOptions options;
    options.cycles = false;
    options.threads = 1;
    std::uint64_t steps = 0;
    options.steps = &steps;
    double best = 1e300;
    for (auto _ : state) {
        best =
            std::min(best, milliseconds([&] { quor::fastTable(job, table.data(), {}, options); }));
        state.SetIterationTime(best / 1e3);
    }
    doubleStepsPerSecond = double(steps) / (best / 1e3);
    state.counters["Gsteps_per_s"] = doubleStepsPerSecond / 1e9;
}

void Deep(benchmark::State& state, const quoracle::TestView& v) {
    const auto limits = quoracle::limitsOfName(v.name);
    const quor::DeepJob job{*limits, v.nmax};
    auto view = std::make_unique<quor::DeepView>();
    std::vector<std::uint32_t> table(quor::TableSize);
    Figures& f = figures()[v.label];
    f.name = v.name;
    f.nmax = v.nmax;
    f.reference = f.table = 1e300;
    for (auto _ : state) {
        f.reference =
            std::min(f.reference, milliseconds([&] { quor::prepareDeepView(job, *view); }));
        std::uint64_t steps = 0;
        const double t = milliseconds([&] {
            quor::deepTable(*view, v.nmax, table.data(), {}, {0, true, &steps});
        });
        f.table = std::min(f.table, t);
        f.steps = steps;
        state.SetIterationTime((f.reference + f.table) / 1e3);
    }
    f.period = view->nucleus ? view->period : 0;
    f.skipped = view->series.steps;
    f.radius = view->periods.radius;
    quor::DeepOptions one;
    one.threads = 1;
    std::uint64_t oneSteps = 0;
    one.steps = &oneSteps;
    f.one = milliseconds([&] { quor::deepTable(*view, v.nmax, table.data(), {}, one); });
    quor::DeepOptions all;
    all.skip = false;
    all.steps = &f.unskipped;
    quor::deepTable(*view, v.nmax, table.data(), {}, all);
    state.counters["reference_ms"] = f.reference;
    state.counters["Gsteps_per_s_one_worker"] = double(oneSteps) / (f.one / 1e3) / 1e9;
    state.counters["executed"] = double(f.steps) / double(f.unskipped);
}

// The tolerance: on the oracle's 500 samples of a view, the share of the
// trusted ones counted exactly and the share of the steps taken; on the
// middle 128 x 128 samples, the share whose count differs from the one
// without skips.
void Epsilon(benchmark::State& state, const quoracle::TestView& v) {
    const auto limits = quoracle::limitsOfName(v.name);
    const auto samples = quoracle::samplePositions(500, 29);
    const auto oracle = quoracle::countSamples(*limits, samples, v.nmax);
    auto view = std::make_unique<quor::DeepView>();
    quor::prepareDeepView({*limits, v.nmax}, *view);
    std::uint64_t all = 0;
    for (const auto& [c, r] : samples)
        quor::deepCount(view->reference, view->dcx[c], view->dcy[r], v.nmax, true, &all);
    for (auto _ : state) {
        for (const int bits : {53, 40, 32}) {
            quor::buildSeries(*view, v.nmax, std::ldexp(1.0, -bits));
            quor::buildPeriod(*view, v.nmax, std::ldexp(1.0, -bits));
            int trusted = 0, exact = 0;
            std::uint64_t steps = 0;
            for (std::size_t k = 0; k < samples.size(); ++k) {
                const auto [c, r] = samples[k];
                const std::uint32_t n = quor::deepCount(view->reference, view->dcx[c], view->dcy[r],
                                                        v.nmax, true, &steps, &view->series,
                                                        &view->periods);
                trusted += oracle[k].trusted;
                exact += oracle[k].trusted && n == oracle[k].count;
            }
            const std::string e = "2^-" + std::to_string(bits);
            state.counters["exact_" + e] = double(exact) / trusted;
            state.counters["executed_" + e] = double(steps) / double(all);
            int differ = 0;
            for (int c = 298; c < 426; ++c)
                for (int r = 298; r < 426; ++r)
                    differ += quor::deepCount(view->reference, view->dcx[c], view->dcy[r], v.nmax,
                                              true) !=
                              quor::deepCount(view->reference, view->dcx[c], view->dcy[r], v.nmax,
                                              true, nullptr, &view->series, &view->periods);
            state.counters["differ_" + e] = differ / (128.0 * 128.0);
        }
    }
}

// The whole program as the window starts it, from job file to exit.
void Process(benchmark::State& state, const quoracle::TestView& v) {
    namespace fs = std::filesystem;
    const fs::path dir = temporaryFolder();
    if (dir.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    quor::writeDeepJob((dir / "Quor.tmp").string(), *quoracle::limitsOfName(v.name), v.nmax);
    double best = 1e300;
    for (auto _ : state) {
        best = std::min(best, milliseconds([&] { runQuorC(dir); }));
        state.SetIterationTime(best / 1e3);
    }
    if (quor::readReport((dir / "Rep.tmp").string()) != quor::ReportComplete)
        state.SkipWithError("QuorC did not complete");
    fs::remove_all(dir);
    figures()[v.label].process = best;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("doubles/boundary/32767", Doubles)
        ->Iterations(5)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    auto views = quoracle::testViews();
    const auto& seahorse = views.front().target;
    views.insert(views.begin() + 2,
                 {"seahorse 30", quoracle::nameTowards(seahorse, 30), 32767, seahorse});
    views.push_back(quoracle::copyView());
    for (const auto& v : views)
        benchmark::RegisterBenchmark(("deep/" + v.label).c_str(), Deep, v)
            ->Iterations(3)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    for (const auto& v : views)
        benchmark::RegisterBenchmark(("process/" + v.label).c_str(), Process, v)
            ->Iterations(3)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    for (const auto& v : views)
        if (v.name.size() >= 26)
            benchmark::RegisterBenchmark(("epsilon/" + v.label).c_str(), Epsilon, v)->Iterations(1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\n%u hardware threads; best of the runs in ms; the double kernel on one "
                "worker: %.2f G steps/s\n\n",
                std::thread::hardware_concurrency(), doubleStepsPerSecond / 1e9);
    std::printf("| View | Letters | Limit | Period of the reference | Reference and series | "
                "Steps skipped | Periods skipped within | Table | Whole QuorC | Steps taken | Share of the "
                "steps | G lane-steps/s, one worker | Ratio to doubles |\n"
                "|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const auto& v : views) {
        const auto it = figures().find(v.label);
        if (it == figures().end())
            continue;
        const Figures& f = it->second;
        const double rate = f.one > 0 ? double(f.steps) / (f.one / 1e3) : 0;
        const std::string from =
            f.radius > 0 ? "2^" + std::to_string(std::lround(std::log2(f.radius))) : "—";
        std::printf("| %s | %zu | %u | %u | %.1f | %llu | %s | %.0f | %.0f | %.3g | %.2f | %.3f | "
                    "%.2f |\n",
                    v.label.c_str(), f.name.size(), f.nmax, f.period, f.reference,
                    static_cast<unsigned long long>(f.skipped), from.c_str(), f.table,
                    f.process < 1e300 ? f.process : 0.0, double(f.steps),
                    f.unskipped ? double(f.steps) / double(f.unskipped) : 0.0, rate / 1e9,
                    doubleStepsPerSecond > 0 ? rate / doubleStepsPerSecond : 0.0);
    }
    return 0;
}
