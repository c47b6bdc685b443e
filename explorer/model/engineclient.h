// One computation through QuorC, driven by signals: the job written, the
// engine started in the application folder, its report read on a timer, the
// stop request, and the table read once the engine reports it complete. The
// caller's event loop never waits for the engine.
#pragma once

#include "exchange.h"
#include "model/run.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace quorvane {

// Hands the client an engine process, set up and not yet started. Tests
// replace it to count or to hold back the engines started.
class EngineStarter {
  public:
    virtual ~EngineStarter() = default;
    // QuorC at program, to run in workingDir without a window, its output
    // thrown away, and ended should the window that started it die.
    virtual std::unique_ptr<QProcess> engineProcess(const QString& program,
                                                    const QString& workingDir);
};

struct EngineResult {
    RunStatus status = RunStatus::Failed;
    QString error;                    // for the user when Failed
    std::vector<std::int16_t> counts; // [column * 724 + row] when Complete
};

class EngineClient : public QObject {
    Q_OBJECT
  public:
    // engine is the path of QuorC, which runs in appFolder.
    EngineClient(EngineStarter& starter, const QString& appFolder, const QString& engine,
                 QObject* parent = nullptr);
    ~EngineClient() override;

    bool running() const { return active; }
    // Runs job; refused while a run is going on. finished follows in any case.
    void start(const quor::Job& job);
    // Asks the engine to stop after its column; the run then ends as stopped.
    void stop();

  signals:
    // The engine runs: the first report is read next.
    void started();
    // Every progress number read while the run goes on, 0..724; the
    // engine's answer to a stop is none.
    void progress(int column);
    // The final report was read: the table is read and handed over next.
    void reading();
    void finished(const EngineResult& result);

  private:
    void poll();
    void engineEnded();
    void conclude(EngineResult result);
    void fail(const QString& message);
    void complete();
    QString path(const char* name) const;

    EngineStarter& starter;
    QString folder;
    QString engineFile;
    std::unique_ptr<QProcess> process;
    QTimer pollTimer;
    QTimer graceTimer;
    bool active = false;
    bool stopping = false;
    bool jobDeleted = false;
    bool ended = false;
    int nmax = 0;
    unsigned column = 0;
    std::optional<EngineResult> pending; // decided, handed over once the engine has ended
};

} // namespace quorvane
