// One computation through QuorC, driven by signals: the job written, the
// engine started in the application folder, its report read on a timer, the
// stop request, and the table read once the engine reports it complete. The
// caller's event loop never waits for the engine.
#pragma once

#include "io/engine.h"
#include "io/exchangefolder.h"

#include <QProcess>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

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

class EngineClient : public Engine {
    Q_OBJECT
  public:
    // engine is the path of QuorC, which runs in folder (the application
    // folder, or any other folder of its own) and exchanges its files there.
    EngineClient(EngineStarter& starter, const QString& folder, const QString& engine,
                 QObject* parent = nullptr);
    ~EngineClient() override;

    bool running() const override { return active; }
    void start(const EngineJob& job) override;
    void stop() override;

  private:
    void poll();
    void engineEnded();
    void conclude(EngineResult result);
    void fail(const QString& message);
    void complete();
    QString path(ExchangeFile file) const;

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
