// The engine's speed: the fast kernel against the plain algorithm in the
// same run, and the whole QuorC process from job to final report. The
// ratios are printed as counters ("x_plain") and once more at the end.
#include "exchange.h"
#include "job.h"
#include "kernel.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

quor::TableJob startView(std::uint32_t nmax) {
    quor::TableJob job; // X -2 to 1, Y -1.5 to 1.5
    job.nmax = nmax;
    return job;
}

// Fastest time per run of each benchmark, for the ratios.
std::map<std::string, double>& best() {
    static std::map<std::string, double> m;
    return m;
}

void record(benchmark::State& state, const std::string& name, double seconds) {
    state.SetIterationTime(seconds);
    auto [it, fresh] = best().emplace(name, seconds);
    if (!fresh && seconds < it->second)
        it->second = seconds;
}

void ratioAgainst(benchmark::State& state, const std::string& plain, const std::string& name) {
    const auto p = best().find(plain);
    const auto f = best().find(name);
    if (p != best().end() && f != best().end())
        state.counters["x_plain"] = p->second / f->second;
}

template <class F> double timed(F&& f) {
    const auto t0 = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

void Plain(benchmark::State& state) {
    const auto job = startView(static_cast<std::uint32_t>(state.range(0)));
    std::vector<std::uint32_t> table(quor::TableSize);
    const std::string name = "plain/" + std::to_string(state.range(0));
    for (auto _ : state)
        record(state, name, timed([&] { quor::plainTable(job, table.data()); }));
}

// range(1): worker threads, 0 for one per hardware thread.
void Fast(benchmark::State& state) {
    const auto job = startView(static_cast<std::uint32_t>(state.range(0)));
    quor::FastOptions options;
    options.threads = static_cast<unsigned>(state.range(1));
    std::vector<std::uint32_t> table(quor::TableSize);
    const std::string name =
        "fast/" + std::to_string(state.range(0)) + "/" + std::to_string(state.range(1));
    for (auto _ : state)
        record(state, name, timed([&] { quor::fastTable(job, table.data(), {}, options); }));
    ratioAgainst(state, "plain/" + std::to_string(state.range(0)), name);
    state.SetLabel(quor::isaName(options.isa));
}

// The whole program as the window starts it: job file written, QuorC run in
// its folder, until it has exited after the final report.
void Process(benchmark::State& state) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "quorc-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const fs::path dir = pattern;
    quor::Job job;
    job.nmax = static_cast<double>(state.range(0));
    const std::string name = "process/" + std::to_string(state.range(0));
    for (auto _ : state) {
        for (const char* f : {"Quor.tmp", "Rep.tmp", "Tab.tmp"})
            fs::remove(dir / f);
        quor::writeJob((dir / "Quor.tmp").string(), job);
        int status = 0;
        const double seconds = timed([&] {
            const pid_t pid = fork();
            if (pid == 0) {
                if (chdir(dir.c_str()) == 0)
                    execl(QUORC_PATH, QUORC_PATH, static_cast<char*>(nullptr));
                _exit(127);
            }
            waitpid(pid, &status, 0);
        });
        if (quor::readReport((dir / "Rep.tmp").string()) != quor::ReportComplete) {
            state.SkipWithError("QuorC did not complete");
            break;
        }
        record(state, name, seconds);
    }
    fs::remove_all(dir);
}

} // namespace

// The plain runs go first so that the fast ones can state their ratio.
BENCHMARK(Plain)->Arg(100)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Plain)->Arg(32767)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Fast)
    ->Args({100, 0})
    ->Args({32767, 1})
    ->Args({32767, 0})
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Process)->Arg(100)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    // The figures, fastest run of each.
    auto ms = [](const char* name) {
        const auto it = best().find(name);
        return it == best().end() ? -1.0 : it->second * 1e3;
    };
    std::printf("\nStart view, %s, %u hardware threads (fastest run of each):\n",
                quor::isaName(quor::bestIsa()), std::thread::hardware_concurrency());
    const std::pair<const char*, const char*> pairs[] = {{"plain/32767", "fast/32767/0"},
                                                         {"plain/32767", "fast/32767/1"},
                                                         {"plain/100", "fast/100/0"}};
    for (const auto& [plain, fast] : pairs) {
        if (ms(plain) > 0 && ms(fast) > 0)
            std::printf("  %-13s %9.1f ms   %-13s %8.2f ms   %6.1fx\n", plain, ms(plain), fast,
                        ms(fast), ms(plain) / ms(fast));
    }
    if (ms("process/100") > 0)
        std::printf("  whole QuorC process at limit 100: %.1f ms\n", ms("process/100"));
    return 0;
}
