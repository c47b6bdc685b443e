// The place library when its files cannot be written or read.
#include "library/places.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "libraryfiles.h"

namespace quorvane {
namespace {

using testing::Library;
using testing::readBytes;
using testing::writeBytes;

TEST(PlacesFiles, FailedSaveLeavesBothFilesAndTheLibraryAsTheyWere) {
    std::vector<Place> stored;
    for (int i = 0; i < 300; ++i) // a list of about 9 kB
        stored.push_back(
            {"ABCDEFGHIJKLMNOPQRSTUV" + QString(QChar('a' + i / 25)) + QChar('a' + i % 25), 100,
             0});
    QImage thumbnail(32, 32, QImage::Format_RGB32); // 3126 bytes as a bitmap
    thumbnail.fill(qRgb(7, 8, 9));

    enum class Spoil { FullDisk, ListFolder, ThumbnailFolder };
    for (const Spoil spoil : {Spoil::FullDisk, Spoil::ListFolder, Spoil::ThumbnailFolder}) {
        for (const QString name : {"ABCDEFGHIJKLMNOPQRSTUVaa", "Y"}) { // stored, new
            Library lib;
            ASSERT_EQ(writePlaceList(lib.list, stored), QString());
            const QString thumbnailFile = thumbnailPath(lib.folder, name);
            writeBytes(thumbnailPath(lib.folder, "ABCDEFGHIJKLMNOPQRSTUVaa"), "old thumbnail");
            // A folder where the list or the thumbnail should go.
            const QString inTheWay = spoil == Spoil::ListFolder        ? lib.list
                                     : spoil == Spoil::ThumbnailFolder ? thumbnailFile
                                                                       : QString();
            if (!inTheWay.isEmpty()) {
                QFile::remove(inTheWay);
                ASSERT_TRUE(QDir().mkdir(inTheWay));
            }
            const QByteArray oldList = readBytes(lib.list);
            const QByteArray oldThumbnail = readBytes(thumbnailFile);
            const QStringList oldFiles = lib.files();

            Places places(stored);
            places.select(1);
            LibraryOutcome outcome;
            {
                // Room for the thumbnail, not for the list.
                testing::FileSizeLimit full(spoil == Spoil::FullDisk ? 4096 : RLIM_INFINITY);
                ASSERT_TRUE(full.active());
                outcome = places.save(lib.folder, {name, 777, 1}, thumbnail);
            }
            const QString failedFile = spoil == Spoil::ThumbnailFolder ? thumbnailFile : lib.list;
            const QString failure = spoil == Spoil::ThumbnailFolder
                                        ? "Impossibile salvare la miniatura:\n"
                                        : "Impossibile scrivere l'elenco dei luoghi:\n";
            const auto where = [&] {
                return name.toStdString() + " " + std::to_string(int(spoil));
            };
            EXPECT_EQ(outcome.message, failure + QDir::toNativeSeparators(failedFile)) << where();
            EXPECT_FALSE(outcome.changed) << where();
            EXPECT_EQ(readBytes(lib.list), oldList) << where();
            EXPECT_EQ(readBytes(thumbnailFile), oldThumbnail) << where();
            EXPECT_EQ(lib.files(), oldFiles) << where();
            EXPECT_EQ(places.list(), stored) << where();
            EXPECT_EQ(places.LuogoScelto(), 1) << where();
        }
    }
}

TEST(PlacesFiles, FailedDeletionKeepsTheListTheThumbnailAndTheLibrary) {
    Library lib;
    const std::vector<Place> stored = {{"AB", 100, 0}, {"CD", 200, 1}};
    ASSERT_EQ(writePlaceList(lib.list, stored), QString());
    writeBytes(thumbnailPath(lib.folder, "AB"), "thumbnail");
    const QByteArray oldList = readBytes(lib.list);
    Places places(stored);
    LibraryOutcome outcome;
    {
        testing::FileSizeLimit full(4);
        ASSERT_TRUE(full.active());
        outcome = places.remove(lib.folder);
    }
    EXPECT_EQ(outcome.message,
              "Impossibile scrivere l'elenco dei luoghi:\n" + QDir::toNativeSeparators(lib.list));
    EXPECT_EQ(readBytes(lib.list), oldList);
    EXPECT_EQ(readBytes(thumbnailPath(lib.folder, "AB")), "thumbnail");
    EXPECT_EQ(places.list(), stored);
}

TEST(PlacesFiles, AListThatCouldNotBeReadIsNeverOverwritten) {
    Library lib;
    // Larger than any list, so start-up does not read it.
    const QByteArray spoilt(MaxPlaceListBytes + 1, 'x');
    writeBytes(lib.list, spoilt);
    LoadedPlaces loaded = loadPlaces(lib.folder);
    EXPECT_EQ(loaded.message,
              "Impossibile leggere l'elenco dei luoghi:\n" + QDir::toNativeSeparators(lib.list));
    EXPECT_FALSE(loaded.places.listRead());
    const QString notRead = "L'elenco dei luoghi non si è potuto leggere all'avvio:\n"
                            "la libreria non viene modificata, per non perderlo.";
    QImage thumbnail(32, 32, QImage::Format_RGB32);
    EXPECT_EQ(loaded.places.save(lib.folder, {"AB", 100, 0}, thumbnail).message, notRead);
    EXPECT_EQ(loaded.places.remove(lib.folder).message, notRead);
    EXPECT_EQ(readBytes(lib.list), spoilt);
    EXPECT_EQ(lib.files(), QStringList{PlaceListName});
    EXPECT_EQ(loaded.places.UltimoLuogo(), -1);

    // A missing list is seeded and read; the library can change then.
    Library fresh;
    LoadedPlaces seeded = loadPlaces(fresh.folder);
    EXPECT_EQ(seeded.message, QString());
    EXPECT_TRUE(seeded.places.listRead());
    EXPECT_EQ(seeded.places.list(), (std::vector<Place>{{"MFFSSKJHB", 1000, 1}}));

    // Without its folder nothing can be seeded; the user is told.
    const QString missing = QDir(fresh.app.path()).filePath("Manca");
    EXPECT_EQ(loadPlaces(missing).message,
              "Impossibile creare l'elenco dei luoghi:\n" +
                  QDir::toNativeSeparators(QDir(missing).filePath(PlaceListName)));
}

} // namespace
} // namespace quorvane
