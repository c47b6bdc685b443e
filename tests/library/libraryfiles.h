// Files for the library tests: a fresh library folder, whole-file reads and
// writes, and a disk that is full on demand.
#pragma once

#include "library/placelist.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

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

// A library folder inside a fresh temporary application folder, as start-up
// lays it out.
struct Library {
    QTemporaryDir app;
    QString folder = QDir(app.path()).filePath("BeiLuoghi");
    QString list = QDir(folder).filePath(PlaceListName);
    Library() { QDir().mkpath(folder); }
    QStringList files() const { return entries(folder); }
};

// Makes writes fail even for root: the process may write files of at most a
// given size while one of these lives (SIGXFSZ ignored, so a write past the
// limit fails with EFBIG instead of ending the process).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, saved_.rlim_max};
        active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // False when the limit could not be set; the test cannot run then.
    bool active() const { return active_; }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

} // namespace quorvane::testing
