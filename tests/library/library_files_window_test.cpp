// The frame "Libreria immagini" when its files cannot be read or written,
// driven through the main window's controls with the real QuorC.
#include "librarywindow.h"

#include "library/placelibrary.h"

#include <QFileInfo>
#include <QLabel>

#include <functional>
#include <sys/stat.h>

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
    // Each spoils the library in its own way; none may stop the start, and
    // "Salva" then writes nothing over what the user has. It is not pressed
    // over the link into /dev: a fault would write through it, as root.
    const auto inFolder = [](const AppFolder& f) {
        ASSERT_TRUE(QDir().mkpath(f.file("BeiLuoghi")));
    };
    const struct {
        const char* what;
        std::function<void(const AppFolder&)> spoil;
        bool pressSalva;
    } cases[] = {
        {"a file where the library folder should be",
         [](const AppFolder& f) { writeBytes(f.file("BeiLuoghi"), ""); }, true},
        {"a folder where the list should be",
         [](const AppFolder& f) {
             ASSERT_TRUE(QDir().mkpath(listFile(f)));
             writeBytes(listFile(f) + "/mine", "kept");
         },
         true},
        {"a list that never ends",
         [&](const AppFolder& f) {
             inFolder(f);
             QFile::link("/dev/zero", listFile(f));
         },
         false},
        {"a pipe that nobody writes",
         [&](const AppFolder& f) {
             inFolder(f);
             ::mkfifo(QFile::encodeName(listFile(f)).constData(), 0600);
         },
         true},
        {"more than a thousand places can fill",
         [&](const AppFolder& f) {
             inFolder(f);
             writeBytes(listFile(f), QByteArray(2 << 20, ' ') + "\"M\",100,0\r\n");
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AppFolder folder;
        c.spoil(folder);
        const bool noFolder = QFileInfo(folder.file("BeiLuoghi")).isFile();
        const auto state = [&] {
            return whatIs(folder.file("BeiLuoghi")) + " and " + whatIs(listFile(folder));
        };
        const QString before = state();
        FakePlatform platform;
        auto w = startWindow(folder, platform);
        const Controls& ui = w->controls();
        EXPECT_EQ(platform.messages,
                  QStringList{
                      noFolder
                          ? failure("Impossibile creare la cartella:", folder.file("BeiLuoghi"))
                          : failure("Impossibile leggere l'elenco dei luoghi:", listFile(folder))});
        EXPECT_EQ(w->library().UltimoLuogo(), -1);
        EXPECT_EQ(ui.SaveName->text(), "");
        for (QPushButton* b : {ui.SelSave[0], ui.SelSave[1], ui.Carica, ui.Elimina})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_EQ(ui.RiquadroCorrente->text(), "Z");
        EXPECT_TRUE(ui.View->isEnabled() && ui.Salva->isEnabled());
        if (!c.pressSalva)
            continue;

        click(ui.Salva);
        ASSERT_EQ(platform.messages.size(), 2);
        EXPECT_EQ(platform.messages[1], noFolder ? failure("Impossibile salvare la miniatura:",
                                                           thumbnailFile(folder, "Z"))
                                                 : NotRead);
        EXPECT_EQ(state(), before);
        EXPECT_EQ(w->library().UltimoLuogo(), -1);
        EXPECT_EQ(ui.SaveName->text(), "");
    }
}

TEST(LibraryFilesWindow, AFailedSaveLeavesTheOldFilesByteForByte) {
    const QByteArray list = longList();
    const QImage red = filled(qRgb(255, 0, 0));

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
