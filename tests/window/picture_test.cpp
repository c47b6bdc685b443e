// Paths that cross two parts of the window. Whatever leads to a picture on
// the screen or among the recent pictures, its name, its limits and the
// commands offered describe that picture.
#include "domain/numbertext.h"
#include "steps.h"
#include "window/sfondo.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

struct Kept {
    QString name;
    QImage picture;
    bool operator==(const Kept&) const = default;
};

void PrintTo(const Kept& k, std::ostream* os) {
    *os << k.name.toStdString() << " (" << k.picture.cacheKey() << ")";
}

bool isBlank(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

class PictureTruth : public StartedWindow {
  protected:
    // The recent pictures as browsing shows them, from position 1 on; then
    // "Esci" again.
    std::vector<Kept> recent() {
        std::vector<Kept> kept;
        for (int guard = 0; guard < 12 && ui.SelImage[1]->isEnabled(); ++guard) {
            click(ui.SelImage[1]);
            kept.push_back({ui.LastName->text(), ui.sfondo->image()});
        }
        if (ui.EndSel->isEnabled())
            click(ui.EndSel);
        return kept;
    }
    void pick(int x, int y) {
        QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, QPoint(x, y) + QPoint(2, 2));
    }
    bool enabled(std::initializer_list<QWidget*> controls) const {
        for (QWidget* c : controls)
            if (!c->isEnabled())
                return false;
        return true;
    }
    QStringList limits() const {
        return {ui.RiquadroCorrente->text(), ui.Limite[0]->text(), ui.Limite[2]->text(),
                ui.Zoom->text()};
    }
};

} // namespace

TEST_F(PictureTruth, AnActivatedPlaceStaysBlankUntilViewComputesIt) {
    const QImage start = ui.sfondo->image();
    click(ui.Carica); // the seed place MFFSSKJHB
    ASSERT_TRUE(isBlank(ui.sfondo->image()));
    const QStringList place = limits();
    EXPECT_EQ(place[0], "MFFSSKJHB");
    EXPECT_EQ(place[1], numberText(-0.779181729460581));

    // Julia mode on and off, the grid on and off, browsing and "Esci": the
    // screen stays blank under the place's name and limits.
    ASSERT_TRUE(ui.Julia->isEnabled());
    click(ui.Julia);
    EXPECT_TRUE(isBlank(ui.sfondo->image()));
    click(ui.Julia);
    EXPECT_TRUE(isBlank(ui.sfondo->image()));
    EXPECT_EQ(limits(), place);
    press(ui, "#");
    EXPECT_TRUE(isBlank(ui.sfondo->image()));
    press(ui, "#");
    // "Attiva" kept nothing: the start view was already the newest picture.
    EXPECT_EQ(recent(), (std::vector<Kept>{{"Z", start}}));
    EXPECT_TRUE(isBlank(ui.sfondo->image()));
    EXPECT_EQ(limits(), place);

    // A point picked over the blank screen is a point of the place's view.
    click(ui.Julia);
    pick(0, 0);
    EXPECT_EQ(ui.XXJU->text(), place[1]);
    click(ui.Julia);
    click(ui.View);
    EXPECT_FALSE(isBlank(ui.sfondo->image()));
    EXPECT_EQ(recent(), (std::vector<Kept>{{"Z", start}}));
}

TEST_F(PictureTruth, TheRecentPicturesHoldComputedPicturesUnderTheirOwnNames) {
    const QImage start = ui.sfondo->image();
    EXPECT_EQ(ui.LastImage->text(), "0/0");
    EXPECT_FALSE(ui.SelImage[1]->isEnabled());
    press(ui, "#M!>");
    const QImage m = ui.sfondo->image();
    press(ui, "#K!>");
    const QImage mk = ui.sfondo->image();
    press(ui, "#G!>");
    const QImage mkg = ui.sfondo->image();
    const std::vector<Kept> computed{{"MKG", mkg}, {"MK", mk}, {"M", m}, {"Z", start}};
    EXPECT_EQ(recent(), std::vector<Kept>(computed.begin() + 1, computed.end()));

    // "-1" blanks the screen and keeps the picture computed before it.
    press(ui, "#-!");
    ASSERT_TRUE(isBlank(ui.sfondo->image()));
    EXPECT_EQ(ui.LastImage->text(), "0/4");
    EXPECT_EQ(recent(), computed);
    // "Attiva" over the blank screen keeps nothing either.
    click(ui.Carica);
    EXPECT_EQ(recent(), computed);

    // "Attiva" on a browsed picture: it stays, and the name and the limits
    // now describe it.
    click(ui.SelImage[1]);
    click(ui.SelImage[1]);
    click(ui.SelImage[1]); // "M"
    click(ui.AttSel);
    EXPECT_EQ(ui.sfondo->image(), m);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "M");
    EXPECT_EQ(ui.Limite[0]->text(), numberText(-0.796680497925311));
    EXPECT_EQ(ui.Zoom->text(), "25");
    EXPECT_TRUE(enabled({ui.Salva, ui.SalvaFile}));
    const std::vector<Kept> afterActivation{computed[0], computed[1], computed[2], computed[3]};
    EXPECT_EQ(recent(), afterActivation);
}

TEST(PictureTruthStart, AStoppedFirstRunLeavesTheStartViewToBeComputed) {
    AppFolder folder;
    folder.installSlowEngine();
    FakePlatform platform;
    MainWindow w(folder.path(), platform);
    const Controls& ui = w.controls();
    clickWhen(ui.Ferma, [&] { return ui.Ferma->isEnabled() && ui.Cicli->text() != " 0%"; });
    w.show();
    ASSERT_TRUE(waitUntil([&] { return ui.View->isEnabled(); }));
    EXPECT_TRUE(isBlank(ui.sfondo->image()));
    // Nothing computed: nothing to save, export or keep.
    EXPECT_FALSE(ui.Salva->isEnabled() || ui.SalvaFile->isEnabled() || ui.Istogramma->isEnabled());
    EXPECT_EQ(ui.LastImage->text(), "0/0");

    // The next return to "Z" computes the start view.
    QFile::remove(folder.file("QuorC"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORC_PATH), folder.file("QuorC")));
    press(ui, "#!");
    ASSERT_TRUE(waitUntil([&] { return ui.View->isEnabled(); }));
    EXPECT_EQ(platform.engineStarts, 2) << platform.messages.join('|').toStdString();
    EXPECT_EQ(ui.sfondo->image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_TRUE(ui.Salva->isEnabled() && ui.SalvaFile->isEnabled());
}

TEST_F(PictureTruth, TheJuliaFileAndStopFollowTheJuliaRun) {
    click(ui.Julia);
    pick(482, 361);
    // A stopped first run leaves the picture of the Quorvane set: no export.
    folder.installSlowEngine();
    clickWhen(ui.StopJulia,
              [this] { return ui.StopJulia->isEnabled() && ui.Cicli->text() != " 0%"; });
    click(ui.JuliaGo);
    ASSERT_TRUE(waitUntil([&] { return ui.JuliaGo->isEnabled(); }));
    EXPECT_FALSE(ui.SalvaJulia->isEnabled() || ui.StopJulia->isEnabled());

    QFile::remove(folder.file("QuorC"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORC_PATH), folder.file("QuorC")));
    click(ui.JuliaGo);
    ASSERT_TRUE(waitUntil([&] { return ui.SalvaJulia->isEnabled(); }));
    platform.answers = {true};
    click(ui.SalvaJulia);
    EXPECT_TRUE(folder.exists("Immagini/Julia0.bmp"));
    EXPECT_FALSE(ui.SalvaJulia->isEnabled());
    pick(100, 200); // a zoom frames the next view: still the same picture
    EXPECT_FALSE(ui.SalvaJulia->isEnabled());

    folder.installEngineScript("printf '  5,' > Rep.tmp\nexit 3\n");
    click(ui.JuliaGo);
    ASSERT_TRUE(waitUntil([&] { return ui.JuliaGo->isEnabled(); }));
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_FALSE(ui.StopJulia->isEnabled() || ui.SalvaJulia->isEnabled());
}

TEST_F(PictureTruth, SaveExportAndActivateFollowThePictureAndThePlaceShown) {
    press(ui, "#M!>");
    for (auto leaveAgain : {+[](const Controls& c) { click(c.SelImage[1]), click(c.EndSel); },
                            +[](const Controls& c) { click(c.Julia), click(c.Julia); }}) {
        leaveAgain(ui);
        EXPECT_TRUE(enabled({ui.Salva, ui.SalvaFile, ui.Istogramma}));
    }

    click(ui.Salva); // "M" sorts before the seed place
    EXPECT_FALSE(ui.Salva->isEnabled());
    EXPECT_EQ(ui.SaveName->text(), "M");
    EXPECT_FALSE(ui.SelSave[0]->isEnabled());
    EXPECT_TRUE(ui.SelSave[1]->isEnabled());
    click(ui.Elimina);
    EXPECT_EQ(ui.SaveName->text(), "MFFSSKJHB");
    EXPECT_TRUE(ui.Salva->isEnabled());
    EXPECT_FALSE(ui.SelSave[0]->isEnabled() || ui.SelSave[1]->isEnabled());

    click(ui.Salva);
    click(ui.Carica); // "M" again: the screen goes blank
    EXPECT_FALSE(ui.Carica->isEnabled());
    click(ui.SelSave[1]);
    EXPECT_TRUE(ui.Carica->isEnabled());
    const QString beforeCount = ui.LastImage->text();
    click(ui.Carica);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "MFFSSKJHB");
    EXPECT_EQ(ui.LastImage->text(), beforeCount);
}
