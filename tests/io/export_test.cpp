#include "io/export.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "files.h"

#include <functional>

namespace quorvane {
namespace {

using testing::entries;
using testing::readBytes;
using testing::writeBytes;

// The Julia frame's tests take the question from here, so it is pinned word
// for word here: a portable copy's names the subdirectory, an installed
// copy's the folder in full.
TEST(Export, JuliaQuestion) {
    EXPECT_EQ(juliaExportQuestion(3), "Attenzione: verrà generato nella subdirectory 'Immagini'\n"
                                      "il file Julia3.bmp da 1.536 KB, cancellando una eventuale\n"
                                      "preesistente versione.\n\nContinuare?");
    EXPECT_EQ(juliaExportQuestion(0, "/home/u/Pictures/Quorvane"),
              "Attenzione: verrà generato nella cartella\n'/home/u/Pictures/Quorvane'\n"
              "il file Julia0.bmp da 1.536 KB, cancellando una eventuale\n"
              "preesistente versione.\n\nContinuare?");
}

TEST(Export, ATargetThatCannotBeWrittenGivesAMessageAndLeavesNothing) {
    QImage picture(724, 724, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    using Target = const QString&;
    const struct {
        const char* what;
        QString name;
        std::function<void(Target)> spoil;
        QStringList left; // the application folder's entries after
    } cases[] = {
        {"a file where the folder should be",
         "Julia0.bmp",
         [](Target t) {
             QDir(QFileInfo(t).path()).removeRecursively();
             writeBytes(QFileInfo(t).path(), "mine");
         },
         {"Immagini"}},
        {"the target is a folder",
         "AB.bmp",
         [](Target t) { QDir().mkdir(t); },
         {"Immagini", "Immagini/AB.bmp"}},
        {"the disk fills half-way",
         "AB.bmp",
         [](Target t) { writeBytes(t, "kept"); },
         {"Immagini", "Immagini/AB.bmp"}},
        {"a name leaving the folder", "../x.bmp", [](Target) {}, {"Immagini"}},
        {"no name", "", [](Target) {}, {"Immagini"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir app;
        const QString images = app.filePath("Immagini");
        const QString target = exportPath(images, c.name);
        ASSERT_TRUE(QDir().mkpath(images));
        c.spoil(target);
        const QByteArray before = readBytes(target);
        QString message;
        ASSERT_TRUE(
            testing::onFullDisk(100000, [&] { message = exportPicture(images, c.name, picture); }));
        EXPECT_EQ(message, "Impossibile salvare l'immagine:\n" + QDir::toNativeSeparators(target));
        EXPECT_EQ(readBytes(target), before);
        QStringList left = entries(app.path());
        if (QFileInfo(images).isDir())
            for (const QString& e : entries(images))
                left << "Immagini/" + e;
        EXPECT_EQ(left, c.left);
    }

    // A folder that is missing is made, whole path and all.
    QTemporaryDir home;
    const QString exports = home.filePath("Immagini/Quorvane");
    EXPECT_EQ(exportPicture(exports, "Z.bmp", picture), "");
    EXPECT_EQ(QFileInfo(exports + "/Z.bmp").size(), ExportFileBytes);
}

} // namespace
} // namespace quorvane
