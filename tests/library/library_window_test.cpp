// The frame "Libreria immagini" driven through the main window's controls,
// with the real QuorC in a temporary application folder: saving, browsing,
// deleting and activating places, and the files they leave.
#include "bitmapfile.h"
#include "desktop.h"
#include "librarywindow.h"

#include "library/placelibrary.h"
#include "library/places.h"
#include "library/recentpictures.h"
#include "navigation/areaname.h"
#include "window/sfondo.h"
#include "window/tags.h"
#include "window/thumbnails.h"

#include <QCheckBox>
#include <QLabel>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QByteArray Seed = "\"MFFSSKJHB\",1000,1\r\n";
const QString LibraryFull = "Raggiunto limite massimo di immagini memorizzabili!";

QImage saveIcona(const Controls& ui) {
    return ui.SaveIcona->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

// The 32 x 32 samples of a picture at 5 + 23 i, 5 + 23 j.
QImage sampled(const QImage& picture) {
    QImage thumbnail(32, 32, QImage::Format_RGB32);
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            thumbnail.setPixel(i, j, picture.pixel(5 + 23 * i, 5 + 23 * j));
    return thumbnail;
}

QImage storedThumbnail(const AppFolder& folder, const QString& name) {
    return BitmapFile{readBytes(thumbnailFile(folder, name))}.picture();
}

// The names the arrows show from the place shown on to the last one.
QStringList namesOnward(const Controls& ui) {
    QStringList names{ui.SaveName->text()};
    for (int guard = 0; guard < 1001 && ui.SelSave[1]->isEnabled(); ++guard) {
        click(ui.SelSave[1]);
        names << ui.SaveName->text();
    }
    return names;
}

void backToFirst(const Controls& ui) {
    for (int guard = 0; guard < 1001 && ui.SelSave[0]->isEnabled(); ++guard)
        click(ui.SelSave[0]);
}

void writeThumbnail(const AppFolder& folder, const QString& name, QRgb colour) {
    ASSERT_TRUE(filled(colour).save(thumbnailFile(folder, name), "BMP"));
}

} // namespace

TEST(LibraryWindow, SavesANewPlaceAndUpdatesAStoredOneInPlace) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    const QImage start = ui.sfondo->image();

    click(ui.Salva);
    EXPECT_EQ(readBytes(listFile(folder)), Seed + "\"Z\",100,0\r\n");
    EXPECT_EQ(w->library().UltimoLuogo(), 1);
    EXPECT_EQ(w->library().LuogoScelto(), 1);
    EXPECT_EQ(ui.SaveName->text(), "Z");
    EXPECT_FALSE(ui.Salva->isEnabled());
    EXPECT_EQ(storedThumbnail(folder, "Z"), sampled(start));
    EXPECT_EQ(saveIcona(ui), sampled(start));
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList({"BeiLuoghi.txt", "Z.bmp"}));

    // The same area computed again with another limit and the automatic
    // colouring: the place is updated where it stands.
    setLimit(ui, "250");
    click(ui.AutoColor);
    click(ui.View);
    const QImage again = ui.sfondo->image();
    ASSERT_NE(again, start);
    ASSERT_TRUE(ui.Salva->isEnabled());
    setLimit(ui, "300"); // the limit of the next run is the one kept
    click(ui.Salva);
    EXPECT_EQ(readBytes(listFile(folder)), Seed + "\"Z\",300,1\r\n");
    EXPECT_EQ(w->library().UltimoLuogo(), 1);
    EXPECT_EQ(w->library().LuogoScelto(), 1);
    EXPECT_EQ(storedThumbnail(folder, "Z"), sampled(again));
    EXPECT_EQ(saveIcona(ui), sampled(again));
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList({"BeiLuoghi.txt", "Z.bmp"}));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST(LibraryWindow, SavesSortTheListByCharacterCode) {
    AppFolder folder;
    // Edited by hand: out of order, with a name twice.
    prepareList(folder,
                "\"aA\",100,0\r\n\"Y\",300,1\r\n" + Seed + "\"yY\",50,0\r\n\"Y\",400,0\r\n");
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    ASSERT_EQ(w->library().UltimoLuogo(), 4);

    click(ui.Salva);
    // "Z" after "Y" and before every name that begins with a small letter;
    // of the two "Y" the first stays.
    EXPECT_EQ(readBytes(listFile(folder)),
              Seed + "\"Y\",300,1\r\n\"Z\",100,0\r\n\"aA\",100,0\r\n\"yY\",50,0\r\n");
    EXPECT_EQ(w->library().UltimoLuogo(), 4);
    EXPECT_EQ(w->library().LuogoScelto(), 2);
    EXPECT_EQ(ui.SaveName->text(), "Z");
    EXPECT_EQ(namesOnward(ui), QStringList({"Z", "aA", "yY"}));
    backToFirst(ui);
    EXPECT_EQ(namesOnward(ui), QStringList({"MFFSSKJHB", "Y", "Z", "aA", "yY"}));

    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST(LibraryWindow, TheThousandthPlaceIsTheLastAndLaterSavesAreRefused) {
    AppFolder folder;
    QByteArray list;
    const auto letter = [](int k) { return char('A' + k % 25); };
    for (int k = 0; k < 999; ++k)
        list += QByteArray("\"") + letter(k / 625) + letter(k / 25) + letter(k) + "\",100,0\r\n";
    prepareList(folder, list);
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    ASSERT_EQ(w->library().UltimoLuogo(), 998);

    click(ui.Salva); // "Z" is the thousandth
    list += "\"Z\",100,0\r\n";
    EXPECT_EQ(readBytes(listFile(folder)), list);
    EXPECT_EQ(w->library().UltimoLuogo(), 999);
    ASSERT_TRUE(platform.messages.isEmpty());
    press(ui, ">"); // "Z" again, stored already
    click(ui.Salva);
    EXPECT_EQ(platform.messages, QStringList{LibraryFull});
    press(ui, "#M!>"); // "M", not stored
    ASSERT_EQ(ui.RiquadroCorrente->text(), "M");
    click(ui.Salva);
    EXPECT_EQ(platform.messages, QStringList({LibraryFull, LibraryFull}));

    EXPECT_EQ(readBytes(listFile(folder)), list);
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList({"BeiLuoghi.txt", "Z.bmp"}));
    EXPECT_EQ(w->library().UltimoLuogo(), 999);
    EXPECT_EQ(ui.SaveName->text(), "Z");
    EXPECT_TRUE(ui.Salva->isEnabled());
}

TEST(LibraryWindow, DeletionFillsTheGapInMemoryAndKeepsTheFileSorted) {
    AppFolder folder;
    prepareList(folder, "\"A\",21,0\r\n\"B\",22,1\r\n\"C\",23,0\r\n\"D\",24,1\r\n\"E\",25,0\r\n");
    writeThumbnail(folder, "A", qRgb(255, 0, 0));
    writeThumbnail(folder, "B", qRgb(0, 255, 0));
    writeThumbnail(folder, "C", qRgb(0, 0, 255));
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();

    click(ui.SelSave[1]);
    ASSERT_EQ(ui.SaveName->text(), "B");
    EXPECT_EQ(saveIcona(ui).pixel(16, 16), qRgb(0, 255, 0));
    click(ui.Elimina);
    EXPECT_EQ(readBytes(listFile(folder)),
              "\"A\",21,0\r\n\"C\",23,0\r\n\"D\",24,1\r\n\"E\",25,0\r\n");
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList({"A.bmp", "BeiLuoghi.txt", "C.bmp"}));
    EXPECT_EQ(w->library().LuogoScelto(), 0);
    EXPECT_EQ(w->library().UltimoLuogo(), 3);
    EXPECT_EQ(ui.SaveName->text(), "A");
    EXPECT_EQ(saveIcona(ui).pixel(16, 16), qRgb(255, 0, 0));
    // In memory the last place has moved into the gap.
    EXPECT_EQ(namesOnward(ui), QStringList({"A", "E", "C", "D"}));

    // A second deletion before any save still writes the file sorted.
    click(ui.SelSave[0]);
    ASSERT_EQ(ui.SaveName->text(), "C");
    click(ui.Elimina);
    EXPECT_EQ(readBytes(listFile(folder)), "\"A\",21,0\r\n\"D\",24,1\r\n\"E\",25,0\r\n");
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList({"A.bmp", "BeiLuoghi.txt"}));
    EXPECT_EQ(namesOnward(ui), QStringList({"A", "E", "D"}));

    // Down to one place, which stays.
    backToFirst(ui);
    click(ui.Elimina);
    click(ui.Elimina);
    const QByteArray last = "\"E\",25,0\r\n";
    EXPECT_EQ(readBytes(listFile(folder)), last);
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList{"BeiLuoghi.txt"});
    ASSERT_EQ(w->library().UltimoLuogo(), 0);
    ASSERT_EQ(ui.SaveName->text(), "E");
    writeThumbnail(folder, "E", qRgb(9, 9, 9));
    const QByteArray thumbnail = readBytes(thumbnailFile(folder, "E"));
    click(ui.Elimina);
    EXPECT_EQ(readBytes(listFile(folder)), last);
    EXPECT_EQ(readBytes(thumbnailFile(folder, "E")), thumbnail);
    EXPECT_EQ(w->library().UltimoLuogo(), 0);
    EXPECT_EQ(ui.SaveName->text(), "E");
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST(LibraryWindow, AttivaPreparesThePlaceAndViewComputesItUnderItsName) {
    AppFolder folder;
    keepJobs(folder);
    prepareList(folder, Seed + "\"MK\",250,1\r\n");
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    const ViewCore& core = w->core();
    const RecentPictures& recent = w->recent();
    const QImage start = ui.sfondo->image();

    press(ui, "#G!"); // a selection confirmed and not computed
    ASSERT_EQ(ui.Riquadro->text(), "G");
    ASSERT_TRUE(ui.sfondo->overlays().Quad1[1].visible);
    click(ui.SelSave[1]);
    ASSERT_EQ(ui.SaveName->text(), "MK");
    const int starts = platform.engineStarts;
    click(ui.Carica);

    const Limits mk = decodeAreaName("MK")->limits;
    EXPECT_EQ(core.next(), mk);
    EXPECT_EQ(ui.Zoom->text(), "625");
    EXPECT_EQ(ui.RiquadroCorrente->text(), "MK");
    EXPECT_EQ(core.IterMax(), 250);
    EXPECT_EQ(ui.Iterazioni[0]->text(), "250");
    EXPECT_EQ(ui.Iterazioni[1]->text(), "250");
    EXPECT_TRUE(ui.AutoColor->isChecked());
    EXPECT_EQ(tagOf(ui.AutoColor), "False");
    EXPECT_EQ(core.TipoScelta(), 255);
    // The pending selection is gone with its frame.
    EXPECT_EQ(ui.Riquadro->text(), "");
    EXPECT_FALSE(ui.sfondo->overlays().Quad1[1].visible);
    EXPECT_FALSE(ui.sfondo->overlays().Quad2[1].visible);
    // The picture that was shown is pushed under the activated name; the
    // screen is blank until View; the thumbnail is on View.
    EXPECT_EQ(ui.LastImage->text(), "0/2");
    EXPECT_EQ(recent.PercorsiUltime(0), "MK");
    EXPECT_EQ(recent.Deposito(0), start);
    EXPECT_EQ(recent.PercorsiUltime(1), "Z");
    EXPECT_EQ(ui.sfondo->image(), core.Black());
    EXPECT_EQ(ui.View->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
              saveIcona(ui));
    const Commands ready = readyWith({"SelImage(1)", "SelSave(0)", "Elimina"});
    EXPECT_EQ(enabledCommands(core), ready);
    EXPECT_EQ(platform.engineStarts, starts);
    // Browsing the places meanwhile follows the same rule: no "Attiva" that
    // would keep the blank picture among the recent ones.
    click(ui.SelSave[0]);
    EXPECT_EQ(ui.SaveName->text(), "MFFSSKJHB");
    EXPECT_EQ(enabledCommands(core), readyWith({"SelImage(1)", "SelSave(1)", "Elimina"}));
    click(ui.SelSave[1]);
    EXPECT_EQ(enabledCommands(core), ready);
    click(ui.Carica); // disabled
    EXPECT_EQ(ui.LastImage->text(), "0/2");

    click(ui.View);
    EXPECT_EQ(keptJobs(folder).at(1),
              (std::vector<double>{0, mk.xMin, mk.xMax, mk.yMin, mk.yMax, 250}));
    EXPECT_EQ(ui.RiquadroCorrente->text(), "MK");
    EXPECT_EQ(ui.Zoom->text(), "625");
    EXPECT_EQ(core.shown(), mk);
    EXPECT_EQ(core.IterEffettive(), 250);
    // Painted with the place's automatic colouring, which differs from the
    // linear one for this picture.
    Palette automatic{}, linear{};
    fillPalette(true, 250, core.Frequenze(), core.Rampa(), automatic);
    fillPalette(false, 250, core.Frequenze(), core.Rampa(), linear);
    ASSERT_NE(automatic, linear);
    EXPECT_EQ(pixelsNotPainted(*w, automatic), 0);
    // Two pushes: the picture before under the place's name, then its own.
    EXPECT_EQ(ui.LastImage->text(), "0/3");
    EXPECT_EQ(recent.PercorsiUltime(0), "MK");
    EXPECT_EQ(recent.Deposito(0), ui.sfondo->image());
    EXPECT_EQ(recent.PercorsiUltime(1), "MK");
    EXPECT_EQ(recent.Deposito(1), start);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST(LibraryWindow, AnEmptyLibraryOffersNothingUntilAPlaceIsSaved) {
    AppFolder folder;
    prepareList(folder, ""); // emptied by hand
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    PlaceLibrary& library = w->library();
    const auto nothingOffered = [&] {
        EXPECT_EQ(library.UltimoLuogo(), -1);
        EXPECT_EQ(ui.SaveName->text(), "");
        EXPECT_EQ(saveIcona(ui), w->core().NoIcona());
        for (QPushButton* b : {ui.SelSave[0], ui.SelSave[1], ui.Carica, ui.Elimina})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_EQ(readBytes(listFile(folder)), "");
    };
    nothingOffered();
    EXPECT_TRUE(ui.Salva->isEnabled());

    // Nor do the handlers do anything, whoever calls them.
    const QImage shown = ui.sfondo->image();
    library.SelSave_Click(1);
    library.SelSave_Click(0);
    library.Carica_Click();
    library.Elimina_Click();
    nothingOffered();
    EXPECT_EQ(ui.sfondo->image(), shown);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "Z");
    EXPECT_EQ(w->recent().NumUltime(), 1);
    click(ui.View);
    nothingOffered();

    click(ui.Salva);
    EXPECT_EQ(readBytes(listFile(folder)), "\"Z\",100,0\r\n");
    EXPECT_EQ(library.UltimoLuogo(), 0);
    EXPECT_EQ(ui.SaveName->text(), "Z");
    click(ui.View);
    EXPECT_TRUE(ui.Carica->isEnabled());
    EXPECT_TRUE(ui.Elimina->isEnabled());
    EXPECT_FALSE(ui.SelSave[0]->isEnabled());
    EXPECT_FALSE(ui.SelSave[1]->isEnabled());
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}
