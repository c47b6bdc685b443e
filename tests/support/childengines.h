// The engines this process has started and not yet reaped, from /proc.
#pragma once

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace quorvane::testing {

inline int childEngines() {
    int engines = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        // "pid (QuorC) state ppid ..."
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        const QList<QByteArray> fields = line.split(' ');
        engines += fields.size() > 3 && fields[1] == "(QuorC)" && fields[3].toInt() == ::getpid();
    }
    return engines;
}

} // namespace quorvane::testing
