// One computation through QuorC: the exchange files, the start of the engine,
// the polling of its progress, the stop request and the reading of the table.
#pragma once

#include "exchange.h"
#include "model/run.h"
#include "window/platform.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace quorvane {

struct EngineRunHooks {
    // Called with every progress number read (0..725).
    std::function<void(unsigned)> progress;
    // Lets pending window events through once.
    std::function<void()> letEventsThrough;
    // Called when polling ends, before the stop request or the table.
    std::function<void()> pollingEnded;
};

class EngineRun {
  public:
    // engine is the path of QuorC, which runs in appFolder.
    EngineRun(Platform& platform, const QString& appFolder, const QString& engine);

    // Runs job; stopAsked is the flag the stop command sets. On Complete,
    // table holds the counts [column * 724 + row].
    RunOutcome run(const quor::Job& job, const bool& stopAsked, const EngineRunHooks& hooks,
                   std::vector<std::int16_t>& table);

    QString path(const char* name) const;
    QString enginePath() const;
    void removeExchangeFiles() const;

  private:
    Platform& platform;
    QString folder;
    QString engineFile;
};

} // namespace quorvane
