#include "window/enginerun.h"

#include "model/exchangefolder.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace quorvane {

namespace {
constexpr int PollMilliseconds = 4;
// How long a stopped engine may take to answer before it is ended by force.
constexpr int StopGraceMilliseconds = 10000;
} // namespace

EngineRun::EngineRun(Platform& services, const QString& appFolder, const QString& enginePath)
    : platform(services), folder(appFolder), engineFile(enginePath) {}

QString EngineRun::path(const char* name) const {
    return folder + QLatin1Char('/') + QLatin1String(name);
}

QString EngineRun::enginePath() const {
    return engineFile;
}

void EngineRun::removeExchangeFiles() const {
    clearExchangeFiles(folder);
}

RunOutcome EngineRun::run(const quor::Job& job, const bool& stopAsked, const EngineRunHooks& hooks,
                          std::vector<std::int16_t>& table) {
    const std::string jobFile = path("Quor.tmp").toStdString();
    const std::string reportFile = path("Rep.tmp").toStdString();
    auto fail = [&](const QString& message) {
        removeExchangeFiles();
        return RunOutcome{RunStatus::Failed, message};
    };

    if (const QString blocker = clearExchangeFiles(folder); !blocker.isEmpty())
        return RunOutcome{RunStatus::Failed, exchangeBlockedMessage(blocker)};
    if (!quor::writeJob(jobFile, job))
        return fail(QStringLiteral("Impossibile scrivere il file del lavoro:\n") +
                    path("Quor.tmp"));
    if (!QFileInfo(enginePath()).isExecutable())
        return fail(QStringLiteral("Il motore di calcolo non è stato trovato:\n") + enginePath());
    std::unique_ptr<QProcess> engine = platform.startProgram(enginePath(), folder);
    if (!engine)
        return fail(QStringLiteral("Impossibile avviare il motore di calcolo:\n") + enginePath());
    auto engineEnded = [&] {
        return engine->state() == QProcess::NotRunning || engine->waitForFinished(0);
    };
    auto finishEngine = [&] {
        if (!engine->waitForFinished(2000)) {
            engine->kill();
            engine->waitForFinished(2000);
        }
    };

    // Between two looks at the report the window waits for events, but no
    // longer than the engine runs: its exit follows its final report, which
    // can then be read at once.
    auto waitForEngine = [&] {
        QEventLoop loop;
        QTimer::singleShot(PollMilliseconds, &loop, &QEventLoop::quit);
        QObject::connect(engine.get(), &QProcess::finished, &loop, &QEventLoop::quit);
        loop.exec();
    };

    hooks.letEventsThrough();

    unsigned progress = 0;
    bool jobDeleted = false;
    bool ended = false;
    while (progress < quor::ReportComplete && !stopAsked) {
        // A report that is missing or being replaced keeps the last value.
        if (auto r = quor::readReport(reportFile))
            progress = *r;
        hooks.progress(progress);
        if (!jobDeleted && progress != 0) {
            // The engine has read its job by now.
            QFile::remove(path("Quor.tmp"));
            jobDeleted = true;
        }
        if (progress >= quor::ReportComplete)
            break;
        if (ended) {
            // One last look after the engine ended found no final report.
            finishEngine();
            return fail(QStringLiteral("Il motore di calcolo si è interrotto senza completare "
                                       "l'immagine."));
        }
        ended = engineEnded();
        if (!ended)
            waitForEngine();
    }
    if (hooks.pollingEnded)
        hooks.pollingEnded();

    if (stopAsked) {
        // Stopped by the user: ask the engine to stop after its column and
        // wait for its last report, but never for ever.
        quor::writeStopRequest(jobFile);
        QDeadlineTimer deadline(StopGraceMilliseconds);
        progress = 0;
        while (progress < quor::ReportComplete) {
            if (auto r = quor::readReport(reportFile))
                progress = *r;
            if (progress >= quor::ReportComplete)
                break;
            if (engineEnded() || deadline.hasExpired()) {
                if (auto r = quor::readReport(reportFile))
                    progress = *r;
                break;
            }
            waitForEngine();
        }
        finishEngine();
        removeExchangeFiles();
        return RunOutcome{RunStatus::Stopped, {}};
    }

    const bool ok = progress == quor::ReportComplete &&
                    quor::readTable(path("Tab.tmp").toStdString(), table, int(job.nmax));
    finishEngine();
    if (!ok) {
        if (progress == quor::ReportStopped)
            return fail(QStringLiteral("Il motore di calcolo si è fermato senza completare "
                                       "l'immagine."));
        // The reader's detail is for whoever debugs the engine, not for the user.
        return fail(TableDamagedMessage);
    }
    removeExchangeFiles();
    return RunOutcome{RunStatus::Complete, {}};
}

} // namespace quorvane
