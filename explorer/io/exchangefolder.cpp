#include "io/exchangefolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace quorvane {

namespace {
const char* const ExchangeNames[] = {"Quor.tmp", "Rep.tmp", "Tab.tmp"};
} // namespace

QString exchangePath(const QString& folder, ExchangeFile file) {
    return QDir(folder).filePath(QLatin1String(ExchangeNames[int(file)]));
}

QStringList exchangeFileNames() {
    QStringList names;
    for (const char* name : ExchangeNames)
        names << QLatin1String(name) << QLatin1String(name) + QStringLiteral(".part");
    return names;
}

QString clearExchangeFiles(const QString& appFolder) {
    QString blocker;
    for (const QString& name : exchangeFileNames()) {
        const QString path = QDir(appFolder).filePath(name);
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            continue;
        const bool removed =
            info.isDir() && !info.isSymLink() ? QDir(appFolder).rmdir(name) : QFile::remove(path);
        if (!removed && blocker.isEmpty())
            blocker = path;
    }
    return blocker;
}

QString exchangeBlockedMessage(const QString& blocker) {
    if (QFileInfo(blocker).isDir())
        return QStringLiteral("Impossibile avviare il calcolo: al posto di un file di scambio "
                              "c'è una cartella non vuota:\n") +
               QDir::toNativeSeparators(blocker) +
               QStringLiteral("\nSpostarla o eliminarla, poi riprovare.");
    return QStringLiteral("Impossibile avviare il calcolo: non si può eliminare il file di "
                          "scambio:\n") +
           QDir::toNativeSeparators(blocker);
}

namespace {

// What /proc tells of a process: its name and working folder; empty for a
// process that is gone, a zombie, or another user's.
struct ProcessView {
    QString name;
    QString workingFolder;
};

ProcessView viewOf(const QString& pid) {
    const QString base = QStringLiteral("/proc/") + pid;
    QFile stat(base + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    // "pid (name) state ...": a name may hold blanks and parentheses.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0 || close + 2 >= line.size() || line[close + 2] == 'Z')
        return {};
    const qsizetype open = line.indexOf('(');
    const QString cwd = QFileInfo(base + QStringLiteral("/cwd")).symLinkTarget();
    if (open < 0 || cwd.isEmpty())
        return {};
    return {QString::fromLocal8Bit(line.mid(open + 1, close - open - 1)),
            QFileInfo(cwd).canonicalFilePath()};
}

QStringList enginesIn(const QString& folder) {
    QStringList pids;
    const QStringList all =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : all) {
        bool number = false;
        pid.toLongLong(&number);
        if (!number)
            continue;
        const ProcessView view = viewOf(pid);
        if (view.name == QStringLiteral("QuorC") && view.workingFolder == folder)
            pids << pid;
    }
    return pids;
}

} // namespace

int endStrayEngines(const QString& appFolder) {
#ifdef Q_OS_LINUX
    const QString folder = QFileInfo(appFolder).canonicalFilePath();
    if (folder.isEmpty())
        return 0;
    const QStringList stray = enginesIn(folder);
    for (const QString& pid : stray)
        ::kill(pid_t(pid.toLongLong()), SIGKILL);
    // An engine ended by force writes nothing more; wait until it is gone,
    // but never for long.
    QDeadlineTimer deadline(2000);
    while (!stray.isEmpty() && !enginesIn(folder).isEmpty() && !deadline.hasExpired())
        QThread::msleep(5);
    return int(stray.size());
#else
    Q_UNUSED(appFolder);
    return 0;
#endif
}

} // namespace quorvane
