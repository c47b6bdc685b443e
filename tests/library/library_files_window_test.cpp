// The frame "Libreria immagini" when its files cannot be read or written,
// driven through the main window's controls with the real QuorC.
#include "librarywindow.h"

#include "library/placelibrary.h"

#include <QFileInfo>
#include <QLabel>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QString NotRead = "L'elenco dei luoghi non si è potuto leggere all'avvio:\n"
                        "la libreria non viene modificata, per non perderlo.";

QString failure(const QString& text, const QString& path) {
    return text + "\n" + QDir::toNativeSeparators(path);
}

// 300 places of 24 letters, sorted: about 10 kB.
QByteArray longList() {
    QByteArray list;
    const auto letter = [](int k) { return char('A' + k % 25); };
    for (int k = 0; k < 300; ++k)
        list +=
            QByteArray("\"ABCDEFGHIJKLMNOPQRSTUV") + letter(k / 25) + letter(k) + "\",100,0\r\n";
    return list;
}

QImage filled(QRgb colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(LibraryFilesWindow, AListThatCouldNotBeReadIsLeftForTheUserToMend) {
    for (const bool tooLarge : {true, false}) {
        SCOPED_TRACE(tooLarge ? "a list of more than a megabyte" : "a folder in its place");
        AppFolder folder;
        QByteArray big;
        if (tooLarge) {
            while (big.size() <= 1 << 20)
                big += "\"MK\",100,0\r\n";
            prepareList(folder, big);
        } else {
            ASSERT_TRUE(QDir().mkpath(listFile(folder)));
            writeBytes(listFile(folder) + "/mine", "kept");
        }
        FakePlatform platform;
        auto w = startWindow(folder, platform);
        const Controls& ui = w->controls();
        const QString unread =
            failure("Impossibile leggere l'elenco dei luoghi:", listFile(folder));
        EXPECT_EQ(platform.messages, QStringList{unread});
        EXPECT_EQ(w->library().UltimoLuogo(), -1);
        EXPECT_EQ(ui.SaveName->text(), "");
        for (QPushButton* b : {ui.SelSave[0], ui.SelSave[1], ui.Carica, ui.Elimina})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();

        click(ui.Salva);
        EXPECT_EQ(platform.messages, QStringList({unread, NotRead}));
        if (tooLarge) {
            EXPECT_EQ(readBytes(listFile(folder)), big);
        } else {
            EXPECT_TRUE(QFileInfo(listFile(folder)).isDir());
            EXPECT_EQ(readBytes(listFile(folder) + "/mine"), "kept");
        }
        EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList{"BeiLuoghi.txt"});
        EXPECT_EQ(w->library().UltimoLuogo(), -1);
        EXPECT_EQ(ui.SaveName->text(), "");
        EXPECT_TRUE(ui.Salva->isEnabled());
    }
}

TEST(LibraryFilesWindow, AFailedSaveLeavesTheOldFilesByteForByte) {
    QByteArray list; // about 10 kB
    const auto letter = [](int k) { return char('A' + k % 25); };
    for (int k = 0; k < 300; ++k)
        list +=
            QByteArray("\"ABCDEFGHIJKLMNOPQRSTUV") + letter(k / 25) + letter(k) + "\",100,0\r\n";
    QImage red(32, 32, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));

    enum class Spoil { ThumbnailFolder, ThumbnailDiskFull, ListDiskFull };
    for (const Spoil spoil :
         {Spoil::ThumbnailFolder, Spoil::ThumbnailDiskFull, Spoil::ListDiskFull})
        for (const bool stored : {true, false}) {
            SCOPED_TRACE(std::to_string(int(spoil)) + (stored ? " Z stored" : " Z new"));
            AppFolder folder;
            prepareList(folder, stored ? list + "\"Z\",100,0\r\n" : list);
            const QString thumbnail = thumbnailFile(folder, "Z");
            if (spoil == Spoil::ThumbnailFolder) {
                ASSERT_TRUE(QDir().mkdir(thumbnail));
            } else if (stored) {
                ASSERT_TRUE(red.save(thumbnail, "BMP"));
            }
            FakePlatform platform;
            auto w = startWindow(folder, platform);
            const Controls& ui = w->controls();
            const PlaceLibrary& library = w->library();
            const QByteArray oldList = readBytes(listFile(folder));
            const QByteArray oldThumbnail = readBytes(thumbnail);
            const QStringList oldEntries = entriesOf(folder, "BeiLuoghi");
            const QImage oldIcona = ui.SaveIcona->pixmap().toImage();
            const int places = library.UltimoLuogo();

            {
                // Room for the thumbnail and not for the list, or for neither.
                FileSizeLimit full(spoil == Spoil::ListDiskFull        ? 4096
                                   : spoil == Spoil::ThumbnailDiskFull ? 1000
                                                                       : RLIM_INFINITY);
                ASSERT_TRUE(full.active());
                click(ui.Salva);
            }
            EXPECT_EQ(platform.messages,
                      QStringList{spoil == Spoil::ListDiskFull
                                      ? failure("Impossibile scrivere l'elenco dei luoghi:",
                                                listFile(folder))
                                      : failure("Impossibile salvare la miniatura:", thumbnail)});
            EXPECT_EQ(readBytes(listFile(folder)), oldList);
            EXPECT_EQ(readBytes(thumbnail), oldThumbnail);
            EXPECT_EQ(QFileInfo(thumbnail).isDir(), spoil == Spoil::ThumbnailFolder);
            EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), oldEntries);
            EXPECT_EQ(library.UltimoLuogo(), places);
            EXPECT_EQ(library.LuogoScelto(), 0);
            EXPECT_EQ(ui.SaveName->text(), "ABCDEFGHIJKLMNOPQRSTUVAA");
            EXPECT_EQ(ui.SaveIcona->pixmap().toImage(), oldIcona);
            EXPECT_TRUE(ui.Salva->isEnabled());

            // With room on the disk again the same press saves.
            if (spoil != Spoil::ThumbnailFolder) {
                click(ui.Salva);
                EXPECT_EQ(platform.messages.size(), 1);
                EXPECT_EQ(readBytes(listFile(folder)), list + "\"Z\",100,0\r\n");
                EXPECT_EQ(library.UltimoLuogo(), 300);
            }
        }
}

TEST(LibraryFilesWindow, AFailedDeletionLeavesTheListTheThumbnailAndThePlaces) {
    AppFolder folder;
    const QByteArray list = longList();
    prepareList(folder, list);
    const QString name = "ABCDEFGHIJKLMNOPQRSTUVAB";
    const QString thumbnail = thumbnailFile(folder, name);
    ASSERT_TRUE(filled(qRgb(0, 0, 255)).save(thumbnail, "BMP"));
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    const PlaceLibrary& library = w->library();
    click(ui.SelSave[1]);
    ASSERT_EQ(ui.SaveName->text(), name);
    const QByteArray oldThumbnail = readBytes(thumbnail);
    {
        FileSizeLimit full(4096);
        ASSERT_TRUE(full.active());
        click(ui.Elimina);
    }
    EXPECT_EQ(platform.messages,
              QStringList{failure("Impossibile scrivere l'elenco dei luoghi:", listFile(folder))});
    EXPECT_EQ(readBytes(listFile(folder)), list);
    EXPECT_EQ(readBytes(thumbnail), oldThumbnail);
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList({name + ".bmp", "BeiLuoghi.txt"}));
    EXPECT_EQ(library.UltimoLuogo(), 299);
    EXPECT_EQ(library.LuogoScelto(), 1);
    EXPECT_EQ(ui.SaveName->text(), name);
    EXPECT_EQ(ui.SaveIcona->pixmap().toImage().pixel(16, 16), qRgb(0, 0, 255));

    // With room on the disk again the same press deletes it.
    click(ui.Elimina);
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(readBytes(listFile(folder)),
              QByteArray(list).replace("\"" + name.toLatin1() + "\",100,0\r\n", ""));
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList{"BeiLuoghi.txt"});
    EXPECT_EQ(library.UltimoLuogo(), 298);
}
