#include "io/engineclient.h"

#include "io/exchangefolder.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace quorvane {

namespace {
constexpr int PollMilliseconds = 4;
// How long a stopped engine may take to answer before it is ended by force.
constexpr int StopGraceMilliseconds = 10000;
// How long an engine that has reported its end may take to exit.
constexpr int ExitGraceMilliseconds = 2000;
} // namespace

std::unique_ptr<QProcess> EngineStarter::engineProcess(const QString& program,
                                                       const QString& workingDir) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setWorkingDirectory(workingDir);
    // The engine writes nothing worth reading; never let a full pipe block it.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
    // The engine never outlives the window: were the window to die mid-run,
    // an engine left at work would go on writing the exchange files that the
    // next window in this folder reads as its own.
    const pid_t window = ::getpid();
    process->setChildProcessModifier([window] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != window) // the window died before the request took hold
            ::_exit(1);
    });
#endif
    return process;
}

EngineClient::EngineClient(EngineStarter& engineStarter, const QString& exchangeFolder,
                           const QString& engine, QObject* parent)
    : Engine(parent), starter(engineStarter), folder(exchangeFolder), engineFile(engine) {
    pollTimer.setInterval(PollMilliseconds);
    connect(&pollTimer, &QTimer::timeout, this, &EngineClient::poll);
    graceTimer.setSingleShot(true);
    graceTimer.setTimerType(Qt::PreciseTimer);
    connect(&graceTimer, &QTimer::timeout, this, [this] {
        if (process && process->state() != QProcess::NotRunning)
            process->kill();
    });
}

EngineClient::~EngineClient() {
    if (process && process->state() != QProcess::NotRunning) {
        // The program is ending: the engine goes with it, and so do its files.
        process->disconnect(this);
        process->kill();
        process->waitForFinished(1000);
        clearExchangeFiles(folder);
    }
}

QString EngineClient::path(ExchangeFile file) const {
    return exchangePath(folder, file);
}

void EngineClient::start(const EngineJob& job) {
    if (active)
        return;
    active = true;
    stopping = jobDeleted = ended = false;
    column = 0;
    nmax = jobLimit(job);
    pending.reset();
    process.reset();

    if (const QString blocker = clearExchangeFiles(folder); !blocker.isEmpty())
        return fail(exchangeBlockedMessage(blocker));
    const std::string jobFile = path(ExchangeFile::Job).toStdString();
    const bool written = std::visit(
        [&jobFile](const auto& j) {
            if constexpr (std::is_same_v<std::decay_t<decltype(j)>, quor::DeepJob>)
                return quor::writeDeepJob(jobFile, j.limits, j.nmax);
            else
                return quor::writeJob(jobFile, j);
        },
        job);
    if (!written)
        return fail(QStringLiteral("Impossibile scrivere il file del lavoro:\n") +
                    path(ExchangeFile::Job));
    if (!QFileInfo(engineFile).isExecutable())
        return fail(QStringLiteral("Il motore di calcolo non è stato trovato:\n") + engineFile);

    process = starter.engineProcess(engineFile, folder);
    QProcess* engine = process.get();
    connect(engine, &QProcess::started, this, [this] {
        emit started();
        emit progress(0);
    });
    connect(engine, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !pending) {
            ended = true;
            fail(QStringLiteral("Impossibile avviare il motore di calcolo:\n") + engineFile);
        }
    });
    connect(engine, &QProcess::finished, this, &EngineClient::engineEnded);
    engine->start();
    pollTimer.start();
}

void EngineClient::stop() {
    if (!active || stopping || pending)
        return;
    stopping = true;
    quor::writeStopRequest(path(ExchangeFile::Job).toStdString());
    // An engine that never answers is ended by force, and the run ends as stopped.
    graceTimer.start(StopGraceMilliseconds);
}

void EngineClient::poll() {
    if (!active || pending)
        return;
    // A report that is missing or being replaced keeps the last value.
    if (const auto report = quor::readReport(path(ExchangeFile::Report).toStdString());
        report && *report != column) {
        column = *report;
        // Once a stop is asked, what is read only tells when the engine is
        // done: what the run reached stays shown.
        if (!stopping && column != quor::ReportStopped)
            emit progress(int(column));
    }
    if (stopping) {
        // After the engine's last report, or once it has ended however.
        if (column >= quor::ReportComplete || ended)
            conclude({RunStatus::Stopped, {}, {}});
        return;
    }
    if (!jobDeleted && column != 0) {
        // The engine has read its job by now.
        QFile::remove(path(ExchangeFile::Job));
        jobDeleted = true;
    }
    if (column == quor::ReportComplete)
        return complete();
    if (column == quor::ReportStopped)
        return fail(QStringLiteral("Il motore di calcolo si è fermato senza completare "
                                   "l'immagine."));
    if (ended)
        fail(QStringLiteral("Il motore di calcolo si è interrotto senza completare l'immagine."));
}

void EngineClient::complete() {
    emit reading();
    EngineResult result;
    if (quor::readTable(path(ExchangeFile::Table).toStdString(), result.counts, nmax)) {
        result.status = RunStatus::Complete;
        return conclude(std::move(result));
    }
    // The reader's detail is for whoever debugs the engine, not for the user.
    fail(TableDamagedMessage);
}

void EngineClient::engineEnded() {
    ended = true;
    if (pending) {
        graceTimer.stop();
        conclude(std::move(*pending));
        return;
    }
    // Its exit follows its final report, which can be read at once.
    poll();
}

void EngineClient::fail(const QString& message) {
    conclude({RunStatus::Failed, message, {}});
}

// The outcome is handed over once the engine has ended, so that no run ever
// starts beside an engine still at work.
void EngineClient::conclude(EngineResult result) {
    pollTimer.stop();
    if (process && process->state() != QProcess::NotRunning && !ended) {
        pending = std::move(result);
        graceTimer.start(ExitGraceMilliseconds);
        return;
    }
    graceTimer.stop();
    pending.reset();
    // The engine writes no more: whatever it wrote, also after its last
    // report, goes now.
    clearExchangeFiles(folder);
    // Never from inside start(): the caller hears the end as it hears any end.
    QMetaObject::invokeMethod(
        this,
        [this, result = std::move(result)] {
            active = false;
            emit finished(result);
        },
        Qt::QueuedConnection);
}

} // namespace quorvane
