// The frame "Libreria immagini" driven through the main window's controls,
// with the real QuorC in a temporary application folder: saving, browsing,
// deleting and activating places, and the files they leave.
#include "librarywindow.h"

#include "domain/areaname.h"
#include "window/sfondo.h"

#include <QCheckBox>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QByteArray Seed = "\"MFFSSKJHB\",1000,1\r\n";
const QString LibraryFull = "Raggiunto limite massimo di immagini memorizzabili!";

QImage storedThumbnail(const AppFolder& folder, const QString& name) {
    return BitmapFile{readBytes(thumbnailFile(folder, name))}.picture();
}

// The names the arrows show from the first place to the last one.
QStringList names(const Controls& ui) {
    for (int guard = 0; guard < 1001 && ui.SelSave[1]->isEnabled(); ++guard)
        click(ui.SelSave[1]);
    for (int guard = 0; guard < 1001 && ui.SelSave[0]->isEnabled(); ++guard)
        click(ui.SelSave[0]);
    QStringList names{ui.SaveName->text()};
    for (int guard = 0; guard < 1001 && ui.SelSave[1]->isEnabled(); ++guard) {
        click(ui.SelSave[1]);
        names << ui.SaveName->text();
    }
    return names;
}

void showPlace(const Controls& ui, const QString& name) {
    names(ui);
    for (int guard = 0; guard < 1001 && ui.SaveName->text() != name; ++guard)
        click(ui.SelSave[0]);
}

using LibraryWindow = StartedWindow;

} // namespace

TEST_F(LibraryWindow, SavesANewPlaceAndUpdatesAStoredOneInPlace) {
    const QImage start = ui.sfondo->image();
    click(ui.Salva);
    EXPECT_EQ(readBytes(listFile(folder)), Seed + "\"Z\",100,0\r\n");
    EXPECT_EQ(model.library().places().UltimoLuogo(), 1);
    EXPECT_EQ(ui.SaveName->text(), "Z");
    EXPECT_FALSE(ui.Salva->isEnabled());
    EXPECT_EQ(storedThumbnail(folder, "Z"), sampledThumbnail(start));
    EXPECT_EQ(saveIcona(ui), sampledThumbnail(start));

    // The same area again with another limit and the automatic colouring:
    // updated where it stands, with the limit of the next run.
    setLimit(ui, "250");
    click(ui.AutoColor);
    click(ui.View);
    const QImage again = ui.sfondo->image();
    ASSERT_NE(sampledThumbnail(again), sampledThumbnail(start));
    setLimit(ui, "300");
    click(ui.Salva);
    EXPECT_EQ(readBytes(listFile(folder)), Seed + "\"Z\",300,1\r\n");
    EXPECT_EQ(model.library().places().UltimoLuogo(), 1);
    EXPECT_EQ(model.library().places().LuogoScelto(), 1);
    EXPECT_EQ(storedThumbnail(folder, "Z"), sampledThumbnail(again));
    EXPECT_EQ(saveIcona(ui), sampledThumbnail(again));
    EXPECT_EQ(entriesOf(folder, "BeiLuoghi"), QStringList({"BeiLuoghi.txt", "Z.bmp"}));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST(LibraryWindowList, SavesSortTheListByCharacterCode) {
    // Edited by hand: out of order, with a name twice, of which the first stays.
    ListWindow lw("\"aA\",100,0\r\n\"Y\",300,1\r\n" + Seed + "\"yY\",50,0\r\n\"Y\",400,0\r\n");
    click(lw.ui.Salva);
    EXPECT_EQ(lw.list(), Seed + "\"Y\",300,1\r\n\"Z\",100,0\r\n\"aA\",100,0\r\n\"yY\",50,0\r\n");
    EXPECT_EQ(lw.w->explorer().library().places().LuogoScelto(), 2);
    EXPECT_EQ(names(lw.ui), QStringList({"MFFSSKJHB", "Y", "Z", "aA", "yY"}));
    EXPECT_TRUE(lw.platform.messages.isEmpty());
}

TEST(LibraryWindowList, TheThousandthPlaceIsTheLastAndLaterSavesAreRefused) {
    QByteArray list;
    const auto letter = [](int k) { return char('A' + k % 25); };
    for (int k = 0; k < 999; ++k)
        list += QByteArray("\"") + letter(k / 625) + letter(k / 25) + letter(k) + "\",100,0\r\n";
    ListWindow lw(list);
    const Controls& ui = lw.ui;
    click(ui.Salva); // "Z" is the thousandth
    list += "\"Z\",100,0\r\n";
    EXPECT_EQ(lw.list(), list);
    ASSERT_TRUE(lw.platform.messages.isEmpty());
    press(ui, ">"); // "Z" again, stored already
    click(ui.Salva);
    press(ui, "#M!>");
    click(ui.Salva);
    EXPECT_EQ(lw.platform.messages, QStringList({LibraryFull, LibraryFull}));
    EXPECT_EQ(lw.list(), list);
    EXPECT_EQ(entriesOf(lw.folder, "BeiLuoghi"), QStringList({"BeiLuoghi.txt", "Z.bmp"}));
    EXPECT_EQ(lw.w->explorer().library().places().UltimoLuogo(), 999);
}

TEST(LibraryWindowList, DeletionFillsTheGapInMemoryAndKeepsTheFileSorted) {
    ListWindow lw("\"A\",21,0\r\n\"B\",22,1\r\n\"C\",23,0\r\n\"D\",24,1\r\n\"E\",25,0\r\n");
    const Controls& ui = lw.ui;
    ASSERT_TRUE(filled(qRgb(0, 255, 0)).save(thumbnailFile(lw.folder, "B"), "BMP"));
    QImage c = filled(qRgb(0, 0, 255));
    c.setPixel(5, 7, qRgb(255, 0, 0)); // off-centre, so that a flipped load shows
    ASSERT_TRUE(c.save(thumbnailFile(lw.folder, "C"), "BMP"));
    click(ui.SelSave[1]);
    click(ui.Elimina); // B
    EXPECT_EQ(lw.list(), "\"A\",21,0\r\n\"C\",23,0\r\n\"D\",24,1\r\n\"E\",25,0\r\n");
    EXPECT_EQ(entriesOf(lw.folder, "BeiLuoghi"), QStringList({"BeiLuoghi.txt", "C.bmp"}));
    EXPECT_EQ(ui.SaveName->text(), "A");
    EXPECT_EQ(names(ui), QStringList({"A", "E", "C", "D"})); // the last place fills the gap

    // A second deletion before any save still writes the file sorted.
    click(ui.SelSave[0]);
    ASSERT_EQ(ui.SaveName->text(), "C");
    EXPECT_EQ(saveIcona(ui), c);
    click(ui.Elimina);
    EXPECT_EQ(lw.list(), "\"A\",21,0\r\n\"D\",24,1\r\n\"E\",25,0\r\n");
    EXPECT_EQ(names(ui), QStringList({"A", "E", "D"}));

    // Down to one place, which stays with its thumbnail.
    showPlace(ui, "A");
    click(ui.Elimina);
    click(ui.Elimina);
    ASSERT_EQ(lw.w->explorer().library().places().UltimoLuogo(), 0);
    ASSERT_TRUE(filled(qRgb(9, 9, 9)).save(thumbnailFile(lw.folder, "E"), "BMP"));
    const QByteArray thumbnail = readBytes(thumbnailFile(lw.folder, "E"));
    click(ui.Elimina);
    EXPECT_EQ(lw.list(), "\"E\",25,0\r\n");
    EXPECT_EQ(readBytes(thumbnailFile(lw.folder, "E")), thumbnail);
    EXPECT_EQ(lw.w->explorer().library().places().UltimoLuogo(), 0);
    EXPECT_TRUE(lw.platform.messages.isEmpty());
}

TEST(LibraryWindowList, AttivaPreparesThePlaceAndViewComputesItUnderItsName) {
    ListWindow lw(Seed + "\"MK\",250,1\r\n", true);
    const Controls& ui = lw.ui;
    const Explorer& model = lw.w->explorer();
    const QImage start = ui.sfondo->image();
    press(ui, "#G!"); // a selection confirmed and not computed
    ASSERT_TRUE(ui.sfondo->overlays().selectedCellFrame.visible);
    click(ui.SelSave[1]);
    const int starts = lw.platform.engineStarts;
    click(ui.Carica);

    const Limits mk = decodeAreaName("MK")->limits;
    EXPECT_EQ(ui.RiquadroCorrente->text(), "MK");
    // The pending selection is gone with its frames.
    EXPECT_EQ(ui.Riquadro->text(), "");
    EXPECT_FALSE(ui.sfondo->overlays().selectedCellFrame.visible);
    EXPECT_FALSE(ui.sfondo->overlays().selectedSubCellFrame.visible);
    // The picture shown was the newest already: nothing is kept twice, and
    // the screen is blank until View.
    EXPECT_EQ(ui.LastImage->text(), "0/1");
    EXPECT_EQ(model.history().recent().all().size(), 1u);
    EXPECT_EQ(ui.sfondo->image(), blackPicture());
    EXPECT_EQ(ui.View->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
              saveIcona(ui));
    const Commands blank = readyWith({"SelImage(1)", "SelSave(0)", "Elimina"});
    EXPECT_EQ(enabledCommands(ui), blank);
    // Once the user has stepped away, the place is offered again: "Attiva"
    // then restores its stored limit over the blank screen, keeping nothing.
    setLimit(ui, "400");
    click(ui.SelSave[0]);
    EXPECT_TRUE(ui.Carica->isEnabled());
    click(ui.SelSave[1]);
    EXPECT_EQ(enabledCommands(ui), readyWith({"SelImage(1)", "SelSave(0)", "Elimina", "Carica"}));
    click(ui.Carica);
    EXPECT_EQ(model.colouring().iterMax(), 250);
    EXPECT_EQ(ui.Iterazioni[1]->text(), "250");
    EXPECT_EQ(ui.LastImage->text(), "0/1");
    EXPECT_EQ(model.history().recent().all().size(), 1u);
    EXPECT_EQ(enabledCommands(ui), blank);
    EXPECT_EQ(lw.platform.engineStarts, starts);

    click(ui.View);
    EXPECT_EQ(keptJobs(lw.folder).at(1),
              (std::vector<double>{0, mk.xMin, mk.xMax, mk.yMin, mk.yMax, 250}));
    EXPECT_EQ(ui.Zoom->text(), "625");
    // Painted with the automatic colouring, which differs from the linear one here.
    Palette automatic{}, linear{};
    fillPalette(true, 250, (*model.history().table().frequencies), model.colouring().ramp(),
                automatic);
    fillPalette(false, 250, (*model.history().table().frequencies), model.colouring().ramp(),
                linear);
    ASSERT_NE(automatic, linear);
    EXPECT_EQ(pixelsNotPainted(*lw.w, automatic), 0);
    EXPECT_EQ(ui.LastImage->text(), "0/1");
    EXPECT_EQ(model.history().recent().all().at(1).name(), "Z");
    EXPECT_EQ(model.history().recent().all().at(1).image, start);
    EXPECT_TRUE(lw.platform.messages.isEmpty()) << lw.platform.messages.join('|').toStdString();
}

TEST(LibraryWindowList, AnEmptyLibraryOffersNothingUntilAPlaceIsSaved) {
    ListWindow lw(""); // emptied by hand
    const Controls& ui = lw.ui;
    const Explorer& model = lw.w->explorer();
    const auto nothingOffered = [&] {
        EXPECT_EQ(model.library().places().UltimoLuogo(), -1);
        EXPECT_EQ(saveIcona(ui), model.noIcona());
        for (QPushButton* b : {ui.SelSave[0], ui.SelSave[1], ui.Carica, ui.Elimina})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_EQ(lw.list(), "");
    };
    nothingOffered();
    EXPECT_EQ(ui.SaveName->text(), "");
    EXPECT_EQ(ui.RiquadroCorrente->text(), "Z");
    click(ui.View);
    nothingOffered();

    click(ui.Salva);
    EXPECT_EQ(lw.list(), "\"Z\",100,0\r\n");
    EXPECT_EQ(ui.SaveName->text(), "Z");
    click(ui.View);
    EXPECT_TRUE(ui.Carica->isEnabled() && ui.Elimina->isEnabled());
    EXPECT_FALSE(ui.SelSave[0]->isEnabled() || ui.SelSave[1]->isEnabled());
    EXPECT_TRUE(lw.platform.messages.isEmpty());
}
