// The engines this process has started and not yet reaped, from /proc.
#pragma once

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace quorvane::testing {

inline int childEngines() {
    int engines = 0;
    const QStringList all = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : all) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ..."
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('('), close = line.lastIndexOf(')');
        if (open < 0 || close < 0)
            continue;
        const QList<QByteArray> after = line.mid(close + 2).split(' ');
        if (line.mid(open + 1, close - open - 1) == "QuorC" && after.size() > 1 &&
            after[1].toLongLong() == ::getpid())
            ++engines;
    }
    return engines;
}

} // namespace quorvane::testing
