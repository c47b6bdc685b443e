// Pictures written as PNG or BMP by their extension, read back with Qt's
// image readers, and never left half-written.
#include "model/picturewriter.h"

#include "files.h"

#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace quorvane {
namespace {

using testing::entries;
using testing::readBytes;
using testing::writeBytes;

TEST(PictureWriter, TheExtensionChoosesTheFormatAnyOtherGetsPng) {
    const struct {
        const char *typed, *written;
        PictureFormat format;
    } cases[] = {
        {"/a/foto", "/a/foto.png", PictureFormat::Png},
        {"/a/foto.PNG", "/a/foto.PNG", PictureFormat::Png},
        {"/a/foto.Bmp", "/a/foto.Bmp", PictureFormat::Bmp},
        {"/a/foto.jpg", "/a/foto.jpg.png", PictureFormat::Png},
        {"/a/foto.", "/a/foto.png", PictureFormat::Png},
        {"/a.bmp/foto", "/a.bmp/foto.png", PictureFormat::Png},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withPictureExtension(c.typed), c.written);
        EXPECT_EQ(pictureFormat(withPictureExtension(c.typed)), c.format) << c.typed;
    }
}

// A picture with no two neighbours alike, which compresses badly.
QImage noise(int side) {
    QImage image(side, side, QImage::Format_RGB888);
    quint32 state = 12345;
    for (int y = 0; y < side; ++y)
        for (uchar *p = image.scanLine(y), *end = p + 3 * side; p < end; ++p)
            *p = uchar((state = state * 1664525u + 1013904223u) >> 24);
    return image;
}

QImage readBack(const QString& path, QByteArray* format) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (format)
        *format = reader.format();
    return reader.read().convertToFormat(QImage::Format_RGB888);
}

TEST(PictureWriter, PngAndBmpReadBackWholeRowsPaddedAndNeverHalfWritten) {
    QTemporaryDir dir;
    const QImage picture = noise(725); // 2175 bytes a row: BMP rows are padded
    for (const auto& [name, format] : {std::pair{"a.png", "png"}, {"b.BMP", "bmp"}}) {
        const QString path = dir.filePath(name);
        ASSERT_EQ(writePicture(path, picture), "");
        QByteArray read;
        EXPECT_EQ(readBack(path, &read), picture) << name;
        EXPECT_EQ(read, format);

        // An old file stays whole on a full disk, and so does a folder in
        // the file's place; nothing else is left.
        writeBytes(path, "an earlier picture");
        const QStringList before = entries(dir.path());
        ASSERT_TRUE(testing::onFullDisk(100000, [&] {
            EXPECT_EQ(writePicture(path, picture),
                      "Impossibile salvare l'immagine:\n" + QDir::toNativeSeparators(path));
        }));
        EXPECT_EQ(readBytes(path), "an earlier picture");
        ASSERT_TRUE(QFile::remove(path) && QDir().mkdir(path));
        EXPECT_NE(writePicture(path, picture), "");
        EXPECT_TRUE(QFileInfo(path).isDir());
        EXPECT_EQ(entries(dir.path()), before);
    }
}

TEST(PictureWriter, OnItsThreadItWritesOrWhenGivenUpLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.png");
    PictureWriter writer;
    QSignalSpy finished(&writer, &PictureWriter::finished);
    const QImage picture = noise(3000);
    writer.start(path, picture);
    EXPECT_TRUE(writer.busy());
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(finished.takeFirst().first().value<RunOutcome>().status, RunStatus::Complete);
    EXPECT_EQ(readBack(path, nullptr), picture);

    writeBytes(path, "kept");
    writer.start(path, picture);
    writer.cancel();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(finished.takeFirst().first().value<RunOutcome>().status, RunStatus::Stopped);
    EXPECT_EQ(readBytes(path), "kept");
    EXPECT_EQ(entries(dir.path()), QStringList{"big.png"});
    EXPECT_FALSE(writer.busy());
}

} // namespace
} // namespace quorvane
