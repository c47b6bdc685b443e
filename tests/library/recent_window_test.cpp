// The frame "Ultime immagini" driven through the main window's controls,
// with the real QuorC in a temporary application folder: the pictures kept,
// browsing them, leaving with "Esci" and activating one with "Attiva".
#include "librarywindow.h"

#include "library/recentpictures.h"
#include "model/areaname.h"
#include "window/sfondo.h"
#include "window/tags.h"

using namespace quorvane;
using namespace quorvane::testing;

namespace {

// While browsing only the frame's own commands can be used.
Commands browsingAt(int position, int count) {
    Commands enabled{"EndSel", "AttSel"};
    if (position != 0)
        enabled.insert("SelImage(0)");
    if (position < count)
        enabled.insert("SelImage(1)");
    return enabled;
}

// Ready, with a picture kept earlier on the screen and the seed place alone
// in the library.
const Commands ReadyOnAKeptPicture = readyWith({"SelImage(1)", "Carica", "Elimina"});

using RecentWindow = StartedWindow;

} // namespace

TEST(RecentList, CountsFromTheStartAndNeverTakesBlankPicturesForPictures) {
    AppFolder folder;
    FakePlatform platform;
    auto w = std::make_unique<MainWindow>(folder.path(), platform);
    const Controls& ui = w->controls();
    const ViewCore& core = w->core();
    EXPECT_EQ(ui.LastImage->text(), "0/0");
    w->show();
    ASSERT_TRUE(waitUntil([&] { return w->zStored() && !w->busy(); }));
    const QImage start = ui.sfondo->image();
    EXPECT_EQ(ui.LastImage->text(), "0/1");

    // The slot behind the first picture was never written: no name, no picture.
    click(ui.SelImage[1]);
    EXPECT_EQ(ui.LastImage->text(), "1/1");
    EXPECT_EQ(ui.LastName->text(), "Z");
    EXPECT_EQ(ui.sfondo->image(), core.Black());
    EXPECT_EQ(tagOf(ui.EndSel), "True");
    EXPECT_EQ(enabledCommands(core), browsingAt(1, 1));
    click(ui.EndSel);
    EXPECT_EQ(ui.LastImage->text(), "0/1");
    EXPECT_EQ(ui.LastName->text(), "");
    EXPECT_EQ(tagOf(ui.EndSel), "False");
    EXPECT_EQ(ui.sfondo->image(), start);
    EXPECT_EQ(enabledCommands(core), ReadyOnAKeptPicture);

    press(ui, "#M!>#K!>");
    const QImage pictureOfMK = ui.sfondo->image();
    press(ui, "#G!>#-!"); // "-1" needs three letters
    ASSERT_EQ(ui.sfondo->image(), core.Black());
    // Nothing to save, export or push with "Attiva" until View; browsing
    // and leaving again changes none of that.
    const Commands blank = readyWith({"SelImage(1)", "Elimina"});
    click(ui.SelImage[1]);
    click(ui.EndSel);
    EXPECT_EQ(ui.sfondo->image(), core.Black());
    EXPECT_EQ(enabledCommands(core), blank);

    click(ui.View); // MK again: the blank picture goes back one place, without a name
    ASSERT_EQ(ui.sfondo->image(), pictureOfMK);
    click(ui.SelImage[1]);
    EXPECT_EQ(ui.LastName->text(), "Z");
    EXPECT_EQ(ui.sfondo->image(), core.Black());

    // "Attiva" on the start's unwritten slot prepares the start view, blank.
    for (int p = 2; p <= 5; ++p)
        click(ui.SelImage[1]);
    ASSERT_EQ(ui.LastImage->text(), "5/5");
    click(ui.AttSel);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "Z");
    EXPECT_EQ(core.next(), Limits{});
    EXPECT_EQ(ui.sfondo->image(), core.Black());
    EXPECT_EQ(enabledCommands(core), blank);
}

TEST_F(RecentWindow, TheEleventhPushDropsTheOldest) {
    std::vector<QImage> shown{ui.sfondo->image()};
    for (int k = 1; k <= 10; ++k) {
        setLimit(ui, QString::number(20 + k));
        click(ui.View);
        ASSERT_NE(ui.sfondo->image(), shown.back());
        shown.push_back(ui.sfondo->image());
    }
    // The blank slot of the start has dropped out; the start view is the
    // oldest. Each picture is shown in its place while browsing.
    EXPECT_EQ(ui.LastImage->text(), "0/10");
    for (int p = 1; p <= 10; ++p) {
        click(ui.SelImage[1]);
        EXPECT_EQ(ui.LastImage->text(), QString("%1/10").arg(p));
        EXPECT_EQ(ui.sfondo->image(), shown[std::size_t(10 - p)]) << p;
        EXPECT_EQ(enabledCommands(core), browsingAt(p, 10)) << p;
    }
    click(ui.SelImage[0]);
    EXPECT_EQ(ui.LastImage->text(), "9/10");
    EXPECT_EQ(ui.sfondo->image(), shown[1]);
    click(ui.EndSel);
    EXPECT_EQ(ui.sfondo->image(), shown[10]);
    EXPECT_EQ(ui.LastImage->text(), "0/10");
}

TEST_F(RecentWindow, AttivaMakesTheBrowsedPlaceTheNextView) {
    const RecentPictures& recent = w->recent();
    press(ui, "#M!>");
    const QImage pictureOfM = ui.sfondo->image();
    press(ui, "#K!>");
    setLimit(ui, "150");
    press(ui, "#G!"); // a selection confirmed and not computed
    click(ui.SelImage[1]);
    ASSERT_EQ(ui.LastName->text(), "M");
    const int starts = platform.engineStarts;
    click(ui.AttSel);

    const Limits m = decodeAreaName("M")->limits;
    EXPECT_EQ(ui.RiquadroCorrente->text(), "M");
    EXPECT_EQ(core.next(), m);
    EXPECT_EQ(core.TipoScelta(), 255);
    EXPECT_EQ(ui.Riquadro->text(), "");
    EXPECT_FALSE(ui.sfondo->overlays().selectedCellFrame.visible);
    EXPECT_EQ(ui.LastImage->text(), "0/4");
    EXPECT_EQ(tagOf(ui.EndSel), "False");
    // The browsed picture stays on the screen and is pushed under its name.
    EXPECT_EQ(ui.sfondo->image(), pictureOfM);
    EXPECT_EQ(recent.PercorsiUltime(0), "M");
    EXPECT_EQ(recent.Deposito(0), pictureOfM);
    EXPECT_EQ(ui.View->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
              core.NoIcona());
    EXPECT_EQ(enabledCommands(core), ReadyOnAKeptPicture);
    EXPECT_EQ(platform.engineStarts, starts);

    click(ui.View);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "M");
    EXPECT_EQ(core.shown(), m);
    EXPECT_EQ(core.IterEffettive(), 150);
    EXPECT_EQ(ui.LastImage->text(), "0/5");
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}
