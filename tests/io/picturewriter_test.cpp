// Pictures written as PNG or BMP by their extension, read back with Qt's
// image readers, and never left half-written.
#include "io/picturewriter.h"

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
    const std::pair<const char*, const char*> cases[] = {
        {"/a/foto", "/a/foto.png"},     {"/a/foto.PNG", "/a/foto.PNG"},
        {"/a/foto.Bmp", "/a/foto.Bmp"}, {"/a/foto.jpg", "/a/foto.jpg.png"},
        {"/a/foto.", "/a/foto.png"},    {"/a.bmp/foto", "/a.bmp/foto.png"}};
    for (const auto& [typed, written] : cases)
        EXPECT_EQ(withPictureExtension(typed), written);
    EXPECT_EQ(pictureFormat("/a/foto.Bmp"), PictureFormat::Bmp);
    EXPECT_EQ(pictureFormat("/a/foto.PNG"), PictureFormat::Png);
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

// Writing on its own thread (exportdialog_test writes through it whole).
TEST(PictureWriter, GivenUpItLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.png");
    writeBytes(path, "kept");
    PictureWriter writer;
    QSignalSpy finished(&writer, &PictureWriter::finished);
    writer.start(path, noise(3000));
    EXPECT_TRUE(writer.busy());
    writer.cancel();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(finished.takeFirst().first().value<RunOutcome>().status, RunStatus::Stopped);
    EXPECT_EQ(readBytes(path), "kept");
    EXPECT_EQ(entries(dir.path()), QStringList{"big.png"});
    EXPECT_FALSE(writer.busy());
}

} // namespace
} // namespace quorvane
