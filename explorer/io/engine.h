// An engine that computes one table of counts for a job, heard through its
// signals: the real one runs QuorC in an exchange folder (EngineClient); the
// model's tests use a stand-in that makes tables from a function. The
// caller's event loop never waits for it.
#pragma once

#include "domain/limits.h"
#include "exchange.h"
#include "io/run.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

namespace quorvane {

struct EngineResult {
    RunStatus status = RunStatus::Failed;
    QString error;                    // for the user when Failed
    std::vector<std::int16_t> counts; // [column * 724 + row] when Complete
};

class Engine : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    virtual bool running() const = 0;
    // Runs job; refused while a run is going on. finished follows in any
    // case, never from inside start.
    virtual void start(const EngineJob& job) = 0;
    // Asks the engine to stop after its column; the run then ends as stopped.
    virtual void stop() = 0;

  signals:
    // The engine runs: the first report is read next.
    void started();
    // Every progress number read while the run goes on, 0..724; the
    // engine's answer to a stop is none.
    void progress(int column);
    // The final report was read: the table is read and handed over next.
    void reading();
    void finished(const EngineResult& result);
};

} // namespace quorvane
