// An engine for the model's tests: each table is made from a function of the
// job and the sample, handed over as QuorC's would be (never from inside
// start), at once or, when held, once the test finishes or stops the run.
#pragma once

#include "io/engine.h"

#include <QTimer>
#include <functional>
#include <vector>

namespace quorvane::testing {

class StandInEngine : public Engine {
  public:
    using Counts = std::function<std::int16_t(const EngineJob&, int column, int row)>;
    // By default every sample escapes at once but the middle column's, which never do.
    explicit StandInEngine(Counts counts = {})
        : sample(counts ? std::move(counts) : [](const EngineJob& job, int column, int) {
              return std::int16_t(column == 362 ? jobLimit(job) : 0);
          }) {}

    bool running() const override { return active; }
    void start(const EngineJob& job) override {
        if (active)
            return;
        active = true;
        jobs.push_back(job);
        emit started();
        emit progress(0);
        if (!held)
            later([this] { finish(); });
    }
    void stop() override {
        if (active)
            later([this] { end({RunStatus::Stopped, {}, {}}); });
    }
    // The table of the job running, handed over.
    void finish() {
        if (!active)
            return;
        const EngineJob& job = jobs.back();
        EngineResult result{RunStatus::Complete, {}, {}};
        result.counts.resize(std::size_t(quor::DimScreen) * quor::DimScreen);
        for (int c = 0; c < quor::DimScreen; ++c)
            for (int r = 0; r < quor::DimScreen; ++r)
                result.counts[std::size_t(c) * quor::DimScreen + r] = sample(job, c, r);
        emit progress(quor::DimScreen);
        emit reading();
        end(std::move(result));
    }
    void fail(const QString& message) {
        if (active)
            later([this, message] { end({RunStatus::Failed, message, {}}); });
    }

    bool held = false;
    std::vector<EngineJob> jobs; // every job started, in turn

  private:
    void later(std::function<void()> f) { QTimer::singleShot(0, this, std::move(f)); }
    void end(EngineResult result) {
        active = false;
        emit finished(result);
    }

    Counts sample;
    bool active = false;
};

} // namespace quorvane::testing
