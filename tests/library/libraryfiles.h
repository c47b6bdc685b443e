// Files for the library tests: whole-file reads and writes, thumbnails of
// one colour, and a disk that is full on demand.
#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace quorvane::testing {

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// Every entry of a folder, temporaries and folders included.
inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// A 32 x 32 thumbnail of one colour.
inline QImage filled(QRgb colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Runs act while the process may write files of at most bytes, a full disk
// even for root (SIGXFSZ ignored, so that a longer write fails with EFBIG
// instead of ending the process). False when the limit could not be set.
inline bool onFullDisk(rlim_t bytes, const std::function<void()>& act) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lowered{bytes, saved.rlim_max};
    const bool set = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    if (set)
        act();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return set;
}

} // namespace quorvane::testing
