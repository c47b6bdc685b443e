// Exported pictures of any side written as PNG or BMP, by the file's
// extension: aside and put in place only once whole, every write checked,
// the encoding away from the window's thread.
#pragma once

#include "io/run.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <atomic>

class QThread;

namespace quorvane {

enum class PictureFormat { Png, Bmp };

// The path with the extension of a format it can be written in: ".png" or
// ".bmp" in any case is kept as typed; anything else has ".png" added
// ("foto" and "foto.jpg" become "foto.png" and "foto.jpg.png").
QString withPictureExtension(const QString& path);
// The format of a path's extension, in any case: BMP for ".bmp", else PNG.
PictureFormat pictureFormat(const QString& path);

// zlib's level for PNG pictures. On the start view at 2896 points level 1
// takes two thirds of the time of the default level 6 for a file half as
// large again (0.85 MB against 0.58 MB); level 9 takes five times as long.
constexpr int PngCompression = 1;

// Writes picture (any format; Format_RGB888 is written without a copy) to
// path in the format of its extension, through a temporary file beside it
// that replaces path only once every byte is on disk. Once *cancelled is
// set the writing stops at its next write and nothing is replaced. Returns
// an Italian message naming the file on failure, empty on success.
QString writePicture(const QString& path, const QImage& picture,
                     const std::atomic<bool>* cancelled = nullptr);

// writePicture on a thread of its own, so that the window stays live while
// a large picture is encoded.
class PictureWriter : public QObject {
    Q_OBJECT
  public:
    explicit PictureWriter(QObject* parent = nullptr);
    // A picture being written is given up and its thread waited for.
    ~PictureWriter() override;

    bool busy() const { return thread != nullptr; }
    // Writes picture to path; refused while busy. finished follows.
    void start(const QString& path, const QImage& picture);
    // Gives the picture up: nothing is written, and finished says Stopped.
    void cancel();

  signals:
    // Complete (the file is in place), Stopped or Failed (the old file, if
    // any, is untouched; the message names the file).
    void finished(const RunOutcome& outcome);

  private:
    QThread* thread = nullptr;
    std::atomic<bool> cancelled{false};
    QString error;
};

} // namespace quorvane
