#include "library/export.h"

#include "library/bmp.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "bitmapfile.h"
#include "libraryfiles.h"

#include <cstdint>

namespace quorvane {
namespace {

using testing::BitmapFile;
using testing::entries;
using testing::readBytes;
using testing::writeBytes;

// Every pixel different from its neighbours in every channel.
QImage patterned() {
    QImage picture(724, 724, QImage::Format_RGB32);
    for (int y = 0; y < 724; ++y)
        for (int x = 0; x < 724; ++x)
            picture.setPixel(x, y, qRgb(x & 255, y & 255, (x * 7 + y * 13) & 255));
    return picture;
}

// An application folder with its folder of exported pictures.
struct ExportFolder {
    QTemporaryDir app;
    QString images = QDir(app.path()).filePath("Immagini");
    ExportFolder() { QDir().mkpath(images); }
};

TEST(Export, NamesAndQuestions) {
    EXPECT_EQ(areaExportName("Z"), "Z.bmp");
    EXPECT_EQ(areaExportName("MKaY"), "MKaY.bmp");
    EXPECT_EQ(juliaExportName(0), "Julia0.bmp");
    EXPECT_EQ(juliaExportName(17), "Julia17.bmp");
    EXPECT_EQ(exportPath("/app", "Julia1.bmp"), "/app/Immagini/Julia1.bmp");
    EXPECT_EQ(areaExportQuestion(), "Attenzione: verrà generato nella subdirectory\n"
                                    "'Immagini' un file tipo 'bmp' da 1.536 KB.\n\nContinuare?");
    EXPECT_EQ(juliaExportQuestion(3), "Attenzione: verrà generato nella subdirectory 'Immagini'\n"
                                      "il file Julia3.bmp da 1.536 KB, cancellando una eventuale\n"
                                      "preesistente versione.\n\nContinuare?");
}

TEST(Export, WritesTheWholePictureAsAnUncompressedBitmap) {
    ExportFolder folder;
    const QString path = exportPath(folder.app.path(), "Z.bmp");
    writeBytes(path, "an older export"); // replaced without a question
    const QImage picture = patterned();
    ASSERT_EQ(exportPicture(folder.app.path(), "Z.bmp", picture), QString());

    const BitmapFile bmp{readBytes(path)};
    ASSERT_EQ(bmp.bytes.size(), 1572582);
    EXPECT_EQ(bmp.bytes.left(2), "BM");
    struct Field {
        int offset, size;
        std::uint32_t value;
    };
    const Field fields[] = {
        {2, 4, 1572582},  // file size
        {6, 4, 0},        // reserved
        {10, 4, 54},      // offset of the pixels
        {14, 4, 40},      // information header size
        {18, 4, 724},     // width
        {22, 4, 724},     // height, positive: bottom row first
        {26, 2, 1},       // planes
        {28, 2, 24},      // bits per pixel
        {30, 4, 0},       // no compression
        {34, 4, 1572528}, // pixel bytes: 724 rows of 2172
        {38, 4, 0},       // horizontal resolution
        {42, 4, 0},       // vertical resolution
        {46, 4, 0},       // colours used
        {50, 4, 0},       // important colours
    };
    for (const Field& f : fields)
        EXPECT_EQ(bmp.field(f.offset, f.size), f.value) << "offset " << f.offset;
    EXPECT_EQ(bmp.picture(), picture);
    EXPECT_EQ(entries(folder.images), QStringList{"Z.bmp"});
}

TEST(Export, RowsOfOtherWidthsArePaddedToFourBytes) {
    QImage picture(5, 2, QImage::Format_RGB32);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 2; ++y)
            picture.setPixel(x, y, qRgb(40 * x, 100 * y, 7));
    const BitmapFile bmp{bmpBytes(picture)};
    ASSERT_EQ(bmp.bytes.size(), 54 + 2 * 16);
    EXPECT_EQ(bmp.field(34, 4), 32u);
    EXPECT_EQ(bmp.picture(), picture);
}

TEST(Export, ATargetThatCannotBeWrittenGivesAMessageAndLeavesNothing) {
    const QImage picture = patterned();
    const auto failed = [](const QString& path) {
        return "Impossibile salvare l'immagine:\n" + QDir::toNativeSeparators(path);
    };

    {
        // Immagini is a plain file.
        ExportFolder folder;
        ASSERT_TRUE(QDir(folder.images).removeRecursively());
        writeBytes(folder.images, "not a folder");
        EXPECT_EQ(exportPicture(folder.app.path(), "Z.bmp", picture),
                  failed(exportPath(folder.app.path(), "Z.bmp")));
        EXPECT_EQ(readBytes(folder.images), "not a folder");
        EXPECT_EQ(entries(folder.app.path()), QStringList{"Immagini"});
    }
    {
        // Immagini is missing.
        ExportFolder folder;
        ASSERT_TRUE(QDir(folder.images).removeRecursively());
        EXPECT_EQ(exportPicture(folder.app.path(), "Julia0.bmp", picture),
                  failed(exportPath(folder.app.path(), "Julia0.bmp")));
        EXPECT_EQ(entries(folder.app.path()), QStringList());
    }
    {
        // The target name is a folder.
        ExportFolder folder;
        const QString target = exportPath(folder.app.path(), "AB.bmp");
        ASSERT_TRUE(QDir().mkdir(target));
        EXPECT_EQ(exportPicture(folder.app.path(), "AB.bmp", picture), failed(target));
        EXPECT_TRUE(QFileInfo(target).isDir());
        EXPECT_EQ(entries(folder.images), QStringList{"AB.bmp"});
    }
    {
        // The disk is full half-way: the earlier export stays whole.
        ExportFolder folder;
        const QString target = exportPath(folder.app.path(), "AB.bmp");
        writeBytes(target, "an earlier export");
        QString message;
        {
            testing::FileSizeLimit full(100000);
            ASSERT_TRUE(full.active());
            message = exportPicture(folder.app.path(), "AB.bmp", picture);
        }
        EXPECT_EQ(message, failed(target));
        EXPECT_EQ(readBytes(target), "an earlier export");
        EXPECT_EQ(entries(folder.images), QStringList{"AB.bmp"});
    }
    {
        // A name that would leave the folder.
        ExportFolder folder;
        for (const QString name : {"../x.bmp", "a/b.bmp", "..", ""})
            EXPECT_EQ(exportPicture(folder.app.path(), name, picture),
                      failed(exportPath(folder.app.path(), name)))
                << name.toStdString();
        EXPECT_EQ(entries(folder.app.path()), QStringList{"Immagini"});
        EXPECT_EQ(entries(folder.images), QStringList());
    }
}

} // namespace
} // namespace quorvane
