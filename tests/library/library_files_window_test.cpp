// The frame "Libreria immagini" when its files cannot be read or written,
// driven through the main window's controls with the real QuorC.
#include "librarywindow.h"

#include "io/places.h"
#include "window/sfondo.h"

#include <QFileInfo>

#include <functional>
#include <sys/stat.h>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

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

// What stands at path, told without reading a device or a pipe.
QString whatIs(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink())
        return "a link to " + info.symLinkTarget();
    if (info.isDir())
        return "a folder of " + entries(path).join(',');
    if (info.isFile())
        return "a file of " + QString::number(qHash(readBytes(path)));
    return info.exists() ? "something else" : "nothing";
}

} // namespace

TEST(LibraryFilesWindow, AnUnusableLibraryIsReportedAndLeftForTheUserToMend) {
    // None may stop the start, and "Salva" then writes nothing over what the
    // user has. It is not pressed over the link into /dev: a fault would
    // write through it, as root.
    const struct {
        const char* what;
        std::function<void(const QString& folder, const QString& list)> spoil;
        bool pressSalva = true;
    } cases[] = {
        {"a file where the library folder should be",
         [](const QString& f, const QString&) { QDir(f).removeRecursively(), writeBytes(f, ""); }},
        {"a folder where the list should be",
         [](const QString&, const QString& l) { QDir().mkdir(l), writeBytes(l + "/mine", ""); }},
        {"a list that never ends",
         [](const QString&, const QString& l) { QFile::link("/dev/zero", l); }, false},
        {"a pipe that nobody writes",
         [](const QString&, const QString& l) {
             ::mkfifo(QFile::encodeName(l).constData(), 0600);
         }},
        {"more than a thousand places can fill",
         [](const QString&, const QString& l) {
             writeBytes(l, QByteArray(2 << 20, ' ') + "\"M\",100,0\r\n");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AppFolder folder;
        const QString library = folder.file("BeiLuoghi");
        ASSERT_TRUE(QDir().mkpath(library));
        c.spoil(library, listFile(folder));
        const bool noFolder = QFileInfo(library).isFile();
        const auto state = [&] { return whatIs(library) + " and " + whatIs(listFile(folder)); };
        const QString before = state();
        FakePlatform platform;
        auto w = startWindow(folder, platform);
        const Controls& ui = w->controls();
        EXPECT_EQ(platform.messages,
                  QStringList{noFolder ? failure("Impossibile creare la cartella:", library)
                                       : failure("Impossibile leggere l'elenco dei luoghi:",
                                                 listFile(folder))});
        for (QPushButton* b : {ui.SelSave[0], ui.SelSave[1], ui.Carica, ui.Elimina})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_TRUE(ui.View->isEnabled() && ui.Salva->isEnabled());
        if (!c.pressSalva)
            continue;

        click(ui.Salva);
        ASSERT_EQ(platform.messages.size(), 2);
        EXPECT_EQ(platform.messages[1],
                  noFolder
                      ? failure("Impossibile salvare la miniatura:", thumbnailFile(folder, "Z"))
                      : "L'elenco dei luoghi non si è potuto leggere all'avvio:\n"
                        "la libreria non viene modificata, per non perderlo.");
        EXPECT_EQ(state(), before);
        EXPECT_EQ(w->explorer().library().places().UltimoLuogo(), -1);
        EXPECT_EQ(ui.SaveName->text(), "");
    }
}

TEST(LibraryFilesWindow, AFailedSaveLeavesTheOldFilesByteForByte) {
    const QByteArray list = longList();
    enum class Spoil { ThumbnailFolder, ThumbnailDiskFull, ListDiskFull };
    for (const Spoil spoil :
         {Spoil::ThumbnailFolder, Spoil::ThumbnailDiskFull, Spoil::ListDiskFull})
        for (const bool stored : {true, false}) {
            SCOPED_TRACE(std::to_string(int(spoil)) + (stored ? " Z stored" : " Z new"));
            ListWindow lw(stored ? list + "\"Z\",100,0\r\n" : list);
            const QString thumbnail = thumbnailFile(lw.folder, "Z");
            if (spoil == Spoil::ThumbnailFolder) {
                ASSERT_TRUE(QDir().mkdir(thumbnail));
            } else if (stored) {
                ASSERT_TRUE(filled(qRgb(255, 0, 0)).save(thumbnail, "BMP"));
            }
            const QByteArray oldList = lw.list();
            const QByteArray oldThumbnail = readBytes(thumbnail);
            const QStringList oldEntries = entriesOf(lw.folder, "BeiLuoghi");
            const QImage oldIcona = saveIcona(lw.ui);
            const int places = lw.w->explorer().library().places().UltimoLuogo();
            // Room for the thumbnail and not for the list, or for neither.
            const rlim_t room = spoil == Spoil::ListDiskFull        ? 4096
                                : spoil == Spoil::ThumbnailDiskFull ? 1000
                                                                    : RLIM_INFINITY;
            ASSERT_TRUE(onFullDisk(room, [&] { click(lw.ui.Salva); }));
            EXPECT_EQ(lw.platform.messages,
                      QStringList{spoil == Spoil::ListDiskFull
                                      ? failure("Impossibile scrivere l'elenco dei luoghi:",
                                                listFile(lw.folder))
                                      : failure("Impossibile salvare la miniatura:", thumbnail)});
            EXPECT_EQ(lw.list(), oldList);
            EXPECT_EQ(readBytes(thumbnail), oldThumbnail);
            EXPECT_EQ(entriesOf(lw.folder, "BeiLuoghi"), oldEntries);
            EXPECT_EQ(lw.w->explorer().library().places().UltimoLuogo(), places);
            EXPECT_EQ(lw.ui.SaveName->text(), "ABCDEFGHIJKLMNOPQRSTUVAA");
            EXPECT_EQ(saveIcona(lw.ui), oldIcona);
            EXPECT_TRUE(lw.ui.Salva->isEnabled());
        }
}

TEST(LibraryFilesWindow, AFailedDeletionLeavesTheListTheThumbnailAndThePlaces) {
    const QByteArray list = longList();
    ListWindow lw(list);
    const QString name = "ABCDEFGHIJKLMNOPQRSTUVAB";
    ASSERT_TRUE(filled(qRgb(0, 0, 255)).save(thumbnailFile(lw.folder, name), "BMP"));
    click(lw.ui.SelSave[1]);
    const QByteArray oldThumbnail = readBytes(thumbnailFile(lw.folder, name));
    ASSERT_TRUE(onFullDisk(4096, [&] { click(lw.ui.Elimina); }));
    EXPECT_EQ(lw.platform.messages, QStringList{failure("Impossibile scrivere l'elenco dei luoghi:",
                                                        listFile(lw.folder))});
    EXPECT_EQ(lw.list(), list);
    EXPECT_EQ(readBytes(thumbnailFile(lw.folder, name)), oldThumbnail);
    EXPECT_EQ(lw.w->explorer().library().places().UltimoLuogo(), 299);
    EXPECT_EQ(lw.ui.SaveName->text(), name);

    // With room on the disk again the same press deletes it.
    click(lw.ui.Elimina);
    EXPECT_EQ(lw.list(), QByteArray(list).replace("\"" + name.toLatin1() + "\",100,0\r\n", ""));
    EXPECT_EQ(entriesOf(lw.folder, "BeiLuoghi"), QStringList{"BeiLuoghi.txt"});
}

TEST(LibraryFilesWindow, AThumbnailThatCannotBePutBackIsReported) {
    ListWindow lw(longList() + "\"Z\",100,0\r\n");
    const QString thumbnail = thumbnailFile(lw.folder, "Z");
    // The old thumbnail is larger than the room left: the new one fits, the
    // list does not, and the old one can no longer be put back.
    QImage large(48, 48, QImage::Format_RGB32);
    large.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(large.save(thumbnail, "BMP"));
    ASSERT_GT(QFileInfo(thumbnail).size(), 4096);
    const QByteArray oldList = lw.list();
    ASSERT_TRUE(onFullDisk(4096, [&] { click(lw.ui.Salva); }));
    EXPECT_EQ(
        lw.platform.messages,
        QStringList{failure("Impossibile scrivere l'elenco dei luoghi:", listFile(lw.folder)) +
                    "\n" + failure(ThumbnailNotRestoredMessage, thumbnail)});
    EXPECT_EQ(lw.list(), oldList);
    EXPECT_EQ(BitmapFile{readBytes(thumbnail)}.picture(), sampledThumbnail(lw.ui.sfondo->image()));
    EXPECT_EQ(entriesOf(lw.folder, "BeiLuoghi"), QStringList({"BeiLuoghi.txt", "Z.bmp"}));
}
