// The frame "Ultime immagini" driven through the main window's controls,
// with the real QuorC in a temporary application folder: the pictures kept,
// browsing them, leaving with "Esci" and activating one with "Attiva".
#include "librarywindow.h"

#include "domain/areaname.h"
#include "window/sfondo.h"

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
const Commands ReadyOnAKeptPicture =
    readyWith({"SelImage(1)", "Carica", "Elimina", "Salva", "SalvaFile", "Esporta"});

const Explorer& model(const MainWindow& w) {
    return w.explorer();
}

using RecentWindow = StartedWindow;

} // namespace

TEST(RecentList, CountsFromTheStartAndNeverTakesBlankPicturesForPictures) {
    AppFolder folder;
    FakePlatform platform;
    auto w = std::make_unique<MainWindow>(folder.path(), platform);
    const Controls& ui = w->controls();
    EXPECT_EQ(ui.LastImage->text(), "0/0");
    w->show();
    ASSERT_TRUE(waitUntil([&] { return startedAndIdle(*w); }));
    const QImage start = ui.sfondo->image();
    // Nothing was computed before the start view.
    EXPECT_EQ(ui.LastImage->text(), "0/0");
    EXPECT_FALSE(ui.SelImage[1]->isEnabled());

    press(ui, "#M!>#K!>");
    const QImage pictureOfMK = ui.sfondo->image();
    press(ui, "#G!>");
    const QImage pictureOfMKG = ui.sfondo->image();
    press(ui, "#-!"); // "-1" needs three letters
    ASSERT_EQ(ui.sfondo->image(), blackPicture());
    // Nothing to save or export until View; browsing and leaving again
    // changes none of that, and the picture computed last is the first kept.
    const Commands blank = readyWith({"SelImage(1)", "Elimina", "Carica"});
    EXPECT_EQ(enabledCommands(ui), blank);
    click(ui.SelImage[1]);
    EXPECT_EQ(ui.LastImage->text(), "1/4");
    EXPECT_EQ(ui.LastName->text(), "MKG");
    EXPECT_EQ(ui.sfondo->image(), pictureOfMKG);
    EXPECT_EQ(model(*w).mode(), MainMode::Browsing);
    EXPECT_EQ(enabledCommands(ui), browsingAt(1, 4));
    click(ui.EndSel);
    EXPECT_EQ(ui.LastImage->text(), "0/4");
    EXPECT_EQ(ui.LastName->text(), "");
    EXPECT_EQ(ui.sfondo->image(), blackPicture());
    EXPECT_EQ(enabledCommands(ui), blank);

    click(ui.View); // MK again
    ASSERT_EQ(ui.sfondo->image(), pictureOfMK);
    EXPECT_EQ(ui.LastImage->text(), "0/4");

    // "Attiva" on the oldest, the start view: it comes back as it was.
    for (int p = 1; p <= 4; ++p)
        click(ui.SelImage[1]);
    ASSERT_EQ(ui.LastName->text(), "Z");
    click(ui.AttSel);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "Z");
    EXPECT_EQ(model(*w).navigator().pending().limits, Limits{});
    EXPECT_EQ(ui.sfondo->image(), start);
    EXPECT_EQ(enabledCommands(ui), ReadyOnAKeptPicture);
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
        EXPECT_EQ(enabledCommands(ui), browsingAt(p, 10)) << p;
    }
    click(ui.SelImage[0]);
    EXPECT_EQ(ui.LastImage->text(), "9/10");
    EXPECT_EQ(ui.sfondo->image(), shown[1]);
    click(ui.EndSel);
    EXPECT_EQ(ui.sfondo->image(), shown[10]);
    EXPECT_EQ(ui.LastImage->text(), "0/10");
}

TEST_F(RecentWindow, AttivaMakesTheBrowsedPlaceTheNextView) {
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
    EXPECT_EQ(model.navigator().pending().limits, m);
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::Kept);
    EXPECT_EQ(ui.Riquadro->text(), "");
    EXPECT_FALSE(ui.sfondo->overlays().selectedCellFrame.visible);
    EXPECT_EQ(ui.LastImage->text(), "0/3");
    EXPECT_EQ(model.mode(), MainMode::Ready);
    // The browsed picture stays on the screen and is kept as the newest.
    EXPECT_EQ(ui.sfondo->image(), pictureOfM);
    EXPECT_EQ(model.history().recent().all().front().name(), "M");
    EXPECT_EQ(model.history().recent().all().front().image, pictureOfM);
    EXPECT_EQ(ui.View->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
              model.noIcona());
    EXPECT_EQ(enabledCommands(ui), ReadyOnAKeptPicture);
    EXPECT_EQ(platform.engineStarts, starts);

    click(ui.View);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "M");
    EXPECT_EQ(model.navigator().view().limits, m);
    EXPECT_EQ(model.history().table().limit, 150);
    EXPECT_EQ(ui.LastImage->text(), "0/4");
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}
