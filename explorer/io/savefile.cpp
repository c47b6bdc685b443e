#include "io/savefile.h"

#include <QDir>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quorvane {

namespace {

bool writeWhole(const QString& path, const std::function<bool(QIODevice&)>& write) {
    // Unbuffered, so that every write reaches the file system here and its
    // failure is seen: a write left in the buffer fails only inside commit(),
    // which then still renames the short temporary over the old file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (!write(file))
        return false; // the destructor removes the temporary
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return false;
#ifdef Q_OS_UNIX
    // commit() syncs too but does not look at the result.
    if (::fsync(file.handle()) != 0)
        return false;
#endif
    return file.commit();
}

} // namespace

QString saveFile(const QString& path, const std::function<bool(QIODevice&)>& write,
                 const QString& failure) {
    if (writeWhole(path, write))
        return {};
    return failure + QLatin1Char('\n') + QDir::toNativeSeparators(path);
}

QString saveFile(const QString& path, const QByteArray& bytes, const QString& failure) {
    return saveFile(
        path,
        [&bytes](QIODevice& file) {
            qint64 done = 0;
            while (done < bytes.size()) {
                const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
                if (written <= 0)
                    return false;
                done += written;
            }
            return true;
        },
        failure);
}

} // namespace quorvane
