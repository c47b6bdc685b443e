#include "io/picturewriter.h"

#include "domain/bmp.h"
#include "io/savefile.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QThread>

namespace quorvane {

QString withPictureExtension(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("png") || suffix == QStringLiteral("bmp"))
        return path;
    return path +
           (path.endsWith(QLatin1Char('.')) ? QStringLiteral("png") : QStringLiteral(".png"));
}

PictureFormat pictureFormat(const QString& path) {
    return QFileInfo(path).suffix().toLower() == QStringLiteral("bmp") ? PictureFormat::Bmp
                                                                       : PictureFormat::Png;
}

namespace {

// What an encoder writes, passed on to the file in large pieces, each
// write checked. Once a write has failed or the writing is given up, every
// write fails, so the encoder ends at its next one.
class CheckedOutput : public QIODevice {
  public:
    CheckedOutput(QIODevice& target, const std::atomic<bool>* givenUp)
        : file(target), cancelled(givenUp) {
        open(QIODevice::WriteOnly);
    }
    bool isSequential() const override { return true; }
    // Writes what is held back; false when anything failed.
    bool drain() {
        qint64 done = 0;
        while (!failed && done < held.size()) {
            const qint64 written = file.write(held.constData() + done, held.size() - done);
            failed = written <= 0;
            done += written;
        }
        held.clear();
        return !failed;
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        failed = failed || (cancelled && cancelled->load());
        if (failed)
            return -1;
        held.append(data, size);
        if (held.size() >= PieceBytes && !drain())
            return -1;
        return size;
    }

  private:
    static constexpr qint64 PieceBytes = 1 << 20;
    QIODevice& file;
    const std::atomic<bool>* cancelled;
    QByteArray held;
    bool failed = false;
};

bool writeBmp(QIODevice& out, const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    if (out.write(bmpHeader(rgb.width(), rgb.height())) != BmpHeaderBytes)
        return false;
    QByteArray row(bmpRowBytes(rgb.width()), '\0');
    for (int y = rgb.height() - 1; y >= 0; --y) {
        bmpRow(rgb, y, row.data());
        if (out.write(row) != row.size())
            return false;
    }
    return true;
}

bool writePng(QIODevice& out, const QImage& picture) {
    QImageWriter writer(&out, "png");
    // Qt's PNG writer takes the zlib level as a quality of 0..100.
    writer.setQuality(100 - (PngCompression * 91 + 8) / 9);
    return writer.write(picture);
}

} // namespace

QString writePicture(const QString& path, const QImage& picture,
                     const std::atomic<bool>* cancelled) {
    return saveFile(
        path,
        [&](QIODevice& file) {
            CheckedOutput out(file, cancelled);
            const bool written = pictureFormat(path) == PictureFormat::Bmp ? writeBmp(out, picture)
                                                                           : writePng(out, picture);
            return written && out.drain() && !(cancelled && cancelled->load());
        },
        QStringLiteral("Impossibile salvare l'immagine:"));
}

PictureWriter::PictureWriter(QObject* parent) : QObject(parent) {}

PictureWriter::~PictureWriter() {
    if (thread) {
        cancelled = true;
        thread->wait();
        delete thread;
    }
}

void PictureWriter::start(const QString& path, const QImage& picture) {
    if (thread)
        return;
    cancelled = false;
    error.clear();
    thread =
        QThread::create([this, path, picture] { error = writePicture(path, picture, &cancelled); });
    connect(thread, &QThread::finished, this, [this] {
        thread->deleteLater();
        thread = nullptr;
        // A picture given up after it was put in place is written all the same.
        const RunStatus status = error.isEmpty() ? RunStatus::Complete
                                 : cancelled     ? RunStatus::Stopped
                                                 : RunStatus::Failed;
        emit finished({status, status == RunStatus::Failed ? error : QString()});
    });
    thread->start();
}

void PictureWriter::cancel() {
    if (thread)
        cancelled = true;
}

} // namespace quorvane
