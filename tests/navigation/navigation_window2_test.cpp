// Walking back up the area name with "-1", going back to the start view,
// selections that "OK" refuses, the limit of double precision and malformed
// names, through the main window's controls with the real QuorC.
#include "appfolder.h"
#include "navigation_support.h"
#include "navigation/areaname.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

#include <limits>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
const QString NoSquareChosen = QStringLiteral("Selezionare un riquadro!");
const QString BadName = QStringLiteral("Formato stringa scorretto!");

template <class Buttons> int enabledCount(const Buttons& buttons) {
    int n = 0;
    for (const auto* b : buttons)
        n += b->isEnabled() ? 1 : 0;
    return n;
}

void expectGridGone(const MainWindow& w) {
    EXPECT_EQ(visibleCount(w.sfondo->GridH), 0);
    EXPECT_EQ(visibleCount(w.sfondo->GridL), 0);
    EXPECT_EQ(visibleCount(w.sfondo->MonoLettera), 0);
    EXPECT_EQ(visibleCount(w.sfondo->BiLettera), 0);
    EXPECT_FALSE(w.sfondo->Quad1[0].visible);
    EXPECT_FALSE(w.sfondo->Quad2[0].visible);
}

QImage viewIcon(const MainWindow& w) {
    return w.View->icon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_RGB32);
}

// Shows the view of a name as the library would: its limits, its name, a run.
void goTo(MainWindow& w, const QString& name) {
    ASSERT_TRUE(w.CalcolaLimiti(name));
    w.RiquadroCorrente->setText(name);
    click(w.View);
    ASSERT_FALSE(w.busy());
    ASSERT_EQ(w.RiquadroCorrente->text(), name);
}

} // namespace

TEST(NavigationWindow, MinusOneMarksGroupsAndOkShortensTheName) {
    DefaultLocale c(QLocale::c());
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    // The place's own limit, so that its picture is not all inside the set.
    w->Iterazioni[1]->setText("1000");
    click(w->IterazOK);
    goTo(*w, "MFFSSKJHB");
    EXPECT_EQ(w->Zoom->text(), "3814697265625");
    ASSERT_NE(w->sfondo->image(), w->Black);
    const int recent = w->NumUltime;
    const int starts = platform.engineStarts;

    click(w->Griglia);
    EXPECT_TRUE(w->MenoUna->isEnabled());
    EXPECT_EQ(tagOf(w->MenoUna), "0");
    const char* marked[] = {"-B", "-HB", "-JHB", "-KJHB", "-SKJHB", "-SSKJHB", "-FSSKJHB"};
    for (int i = 0; i < 7; ++i) {
        click(w->MenoUna);
        EXPECT_EQ(w->Riquadro->text(), marked[i]) << "press " << i + 1;
        EXPECT_EQ(tagOf(w->MenoUna), QString::number(i + 1)) << "press " << i + 1;
        EXPECT_EQ(w->MenoUna->isEnabled(), i < 6) << "press " << i + 1;
    }
    EXPECT_EQ(enabledCount(w->Lettere), 0);
    EXPECT_EQ(enabledCount(w->Mezzo), 0);
    EXPECT_TRUE(w->Copia->isEnabled());
    EXPECT_TRUE(w->Griglia->isEnabled());
    click(w->MenoUna); // disabled: nothing more is marked
    EXPECT_EQ(w->Riquadro->text(), "-FSSKJHB");

    // Cancelling forgets the marks; the next time the count starts again.
    click(w->Griglia);
    EXPECT_EQ(w->Riquadro->text(), "");
    EXPECT_EQ(w->RiquadroCorrente->text(), "MFFSSKJHB");
    expectGridGone(*w);
    click(w->Griglia);
    EXPECT_EQ(tagOf(w->MenoUna), "0");
    EXPECT_TRUE(w->MenoUna->isEnabled());
    for (int i = 0; i < 3; ++i)
        click(w->MenoUna);
    EXPECT_EQ(w->Riquadro->text(), "-JHB");

    click(w->Copia);
    EXPECT_EQ(w->RiquadroCorrente->text(), "MFFSSK");
    expectLimits(shown(*w), decoded("MFFSSK"), "picture limits after going back");
    expectLimits(next(*w), decoded("MFFSSK"), "next run after going back");
    EXPECT_EQ(w->Limite[0]->text(), "-0.779352697095436");
    EXPECT_EQ(w->Limite[1]->text(), "-0.779160697095436");
    EXPECT_EQ(w->Limite[2]->text(), "-0.134569294605809");
    EXPECT_EQ(w->Limite[3]->text(), "-0.134377294605809");
    EXPECT_EQ(w->Zoom->text(), "244140625");
    EXPECT_EQ(w->TipoScelta, 255);
    EXPECT_EQ(w->Riquadro->text(), "");
    EXPECT_EQ(w->Griglia->text(), "ON");
    EXPECT_EQ(tagOf(w->Griglia), "False");
    expectGridGone(*w);
    // No picture of the shortened view exists until it is computed.
    EXPECT_EQ(w->sfondo->image(), w->Black);
    EXPECT_EQ(w->Deposito[0], w->Black);
    EXPECT_EQ(w->PercorsiUltime[0], "");
    EXPECT_EQ(w->PercorsiUltime[1], "Z");
    EXPECT_EQ(w->NumUltime, recent);
    EXPECT_EQ(viewIcon(*w), w->NoIcona.convertToFormat(QImage::Format_RGB32));
    for (QWidget* needsPicture :
         {static_cast<QWidget*>(w->Istogramma), static_cast<QWidget*>(w->Salva),
          static_cast<QWidget*>(w->SalvaFile), static_cast<QWidget*>(w->Carica)})
        EXPECT_FALSE(needsPicture->isEnabled()) << needsPicture->objectName().toStdString();
    EXPECT_TRUE(w->View->isEnabled());
    EXPECT_TRUE(w->Griglia->isEnabled());
    EXPECT_TRUE(w->Elimina->isEnabled());
    EXPECT_FALSE(w->Copia->isEnabled());
    EXPECT_FALSE(w->MenoUna->isEnabled());
    EXPECT_EQ(platform.engineStarts, starts);

    click(w->View);
    EXPECT_EQ(w->RiquadroCorrente->text(), "MFFSSK");
    EXPECT_EQ(w->Zoom->text(), "244140625");
    EXPECT_NE(w->sfondo->image(), w->Black);
    EXPECT_EQ(w->PercorsiUltime[0], "MFFSSK");
    EXPECT_EQ(w->NumUltime, recent + 1);
    EXPECT_TRUE(w->Istogramma->isEnabled());
    EXPECT_TRUE(w->Salva->isEnabled());
    expectLimits(shown(*w), decoded("MFFSSK"), "after computing the shortened view");
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST(NavigationWindow, MinusOneTakesAShiftLetterWithItsCell) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    click(w->Griglia);
    shift(*w, 2);
    shift(*w, 3);
    press(*w, 'M');
    shift(*w, 3);
    press(*w, 'K');
    ASSERT_EQ(w->Riquadro->text(), "gMhK");
    click(w->Copia);
    click(w->View);
    ASSERT_EQ(w->RiquadroCorrente->text(), "gMhK");
    EXPECT_EQ(w->Zoom->text(), "625");

    click(w->Griglia);
    ASSERT_TRUE(w->MenoUna->isEnabled());
    click(w->MenoUna);
    EXPECT_EQ(w->Riquadro->text(), "-hK");
    EXPECT_EQ(tagOf(w->MenoUna), "2");
    EXPECT_FALSE(w->MenoUna->isEnabled());
    click(w->Copia);
    EXPECT_EQ(w->RiquadroCorrente->text(), "gM");
    expectLimits(shown(*w), decoded("gM"), "gM");
    EXPECT_EQ(w->Zoom->text(), "25");
    EXPECT_EQ(w->sfondo->image(), w->Black);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(NavigationWindow, OkWithNothingChosenReturnsToTheStoredStartView) {
    DefaultLocale c(QLocale::c());
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    click(w->Griglia);
    press(*w, 'M');
    click(w->Copia);
    click(w->View);
    ASSERT_EQ(w->RiquadroCorrente->text(), "M");
    w->Iterazioni[1]->setText("250");
    click(w->IterazOK);
    ASSERT_EQ(w->IterMax, 250);
    const QImage pictureOfM = w->sfondo->image();
    const int recent = w->NumUltime;
    const int starts = platform.engineStarts;

    click(w->Griglia);
    click(w->Copia);
    EXPECT_EQ(platform.engineStarts, starts); // the start picture is stored
    EXPECT_EQ(w->sfondo->image(), w->Z);
    EXPECT_EQ(w->Deposito[0], w->Z);
    EXPECT_EQ(w->Deposito[1], pictureOfM);
    EXPECT_EQ(w->NumUltime, recent + 1);
    EXPECT_EQ(w->PercorsiUltime[0], "Z");
    EXPECT_EQ(w->PercorsiUltime[1], "M");
    EXPECT_EQ(w->RiquadroCorrente->text(), "Z");
    EXPECT_EQ(w->Riquadro->text(), "");
    EXPECT_EQ(w->Zoom->text(), "1");
    EXPECT_EQ(w->Limite[0]->text(), "-2");
    EXPECT_EQ(w->Limite[3]->text(), "1.5");
    expectLimits(shown(*w), Limits{-2.0, 1.0, -1.5, 1.5}, "start view");
    expectLimits(next(*w), Limits{-2.0, 1.0, -1.5, 1.5}, "start view next");
    EXPECT_EQ(w->TipoScelta, 0);
    EXPECT_EQ(w->IterMax, 100);
    EXPECT_EQ(w->Iterazioni[0]->text(), "100");
    EXPECT_EQ(w->Iterazioni[1]->text(), "100");
    EXPECT_EQ(w->Griglia->text(), "ON");
    expectGridGone(*w);
    EXPECT_TRUE(w->Griglia->isEnabled());
    EXPECT_TRUE(w->View->isEnabled());
    EXPECT_FALSE(w->Istogramma->isEnabled());
    EXPECT_EQ(enabledCount(w->Lettere), 0);
    EXPECT_FALSE(w->Copia->isEnabled());
    EXPECT_TRUE(platform.messages.isEmpty());

    // A shift without a letter is no selection: the grid stays as it is.
    click(w->Griglia);
    shift(*w, 1);
    EXPECT_EQ(w->Riquadro->text(), "r");
    click(w->Copia);
    EXPECT_EQ(platform.messages, QStringList{NoSquareChosen});
    EXPECT_EQ(w->Griglia->text(), "OFF");
    EXPECT_EQ(w->Riquadro->text(), "r");
    EXPECT_EQ(visibleCount(w->sfondo->GridH), 12);
    EXPECT_EQ(enabledCount(w->Lettere), 25);
    EXPECT_TRUE(w->Copia->isEnabled());
    EXPECT_EQ(w->TipoScelta, 0);

    // Nor is a shift after the last letter.
    press(*w, 'M');
    shift(*w, 0);
    EXPECT_EQ(w->Riquadro->text(), "rMn");
    click(w->Copia);
    EXPECT_EQ(platform.messages, (QStringList{NoSquareChosen, NoSquareChosen}));
    EXPECT_EQ(w->Riquadro->text(), "rMn");
    EXPECT_EQ(tagOf(w->Griglia), "True");
    EXPECT_TRUE(w->sfondo->Quad1[0].visible);
    EXPECT_EQ(enabledCount(w->Lettere), 25);
    EXPECT_FALSE(w->sfondo->Quad1[1].visible);

    // Centring the fine shift again makes it a selection of cell M, grid down.
    shift(*w, 4);
    EXPECT_EQ(w->Riquadro->text(), "rM");
    click(w->Copia);
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(w->TipoScelta, 144);
    EXPECT_EQ(w->sfondo->Quad1[1].rect, QRect(289, 313, 146, 146));
    const double step = (1.0 - -2.0) / 723;
    EXPECT_EQ(w->NuovoXMin, -2.0 + step * 290);
    EXPECT_EQ(w->NuovoYMin, -1.5 + step * 314);
    EXPECT_EQ(w->Riquadro->text(), "rM");
}

TEST(NavigationWindow, LettersStopAtTheLimitOfDoublePrecision) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    // Eighteen zooms: a cell of this view still has a pixel step that the
    // doubles resolve at X Min, a sub-cell no longer has.
    const QString deep = QStringLiteral("MFFSSKJHBMMMMMMMMM");
    ASSERT_EQ(deep.size(), 18);
    goTo(*w, deep);

    click(w->Griglia);
    press(*w, 'M');
    ASSERT_EQ(w->Riquadro->text(), "M");
    ASSERT_EQ(tagOf(w->Griglia), "True");
    const QRect frame = w->sfondo->Quad1[0].rect;
    EXPECT_TRUE(platform.messages.isEmpty());
    press(*w, 'Y');
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(platform.messages, QStringList{MaxResolution});
    EXPECT_EQ(w->Riquadro->text(), "M");
    EXPECT_EQ(tagOf(w->Griglia), "True");
    EXPECT_EQ(w->SecondaLettera, 254);
    EXPECT_TRUE(w->sfondo->Quad1[0].visible);
    EXPECT_EQ(w->sfondo->Quad1[0].rect, frame);
    EXPECT_FALSE(w->sfondo->Quad2[0].visible);
    EXPECT_TRUE(w->sfondo->BiLettera[24].visible);
    EXPECT_EQ(enabledCount(w->Lettere), 25);
    EXPECT_EQ(enabledCount(w->Mezzo), 5);

    // The first letter alone can still be confirmed and computed.
    click(w->Copia);
    EXPECT_EQ(w->TipoScelta, 144);
    click(w->View);
    ASSERT_EQ(w->RiquadroCorrente->text(), deep + "M");

    // One zoom deeper even a cell is refused, in the coarse stage.
    click(w->Griglia);
    ASSERT_TRUE(w->MenoUna->isEnabled());
    shift(*w, 0);
    ASSERT_EQ(w->Riquadro->text(), "n");
    EXPECT_FALSE(w->MenoUna->isEnabled()); // a shifted grid extends the name
    press(*w, 'G');
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_EQ(platform.messages, (QStringList{MaxResolution, MaxResolution}));
    EXPECT_EQ(w->Riquadro->text(), "n");
    EXPECT_EQ(tagOf(w->Griglia), "False");
    EXPECT_EQ(visibleCount(w->sfondo->GridL), 0);
    EXPECT_EQ(visibleCount(w->sfondo->MonoLettera), 25);
    EXPECT_FALSE(w->sfondo->Quad1[0].visible);
    shift(*w, 2);
    ASSERT_EQ(w->Riquadro->text(), "Z");
    ASSERT_TRUE(w->MenoUna->isEnabled());
    press(*w, 'M');
    EXPECT_EQ(platform.beeps, 3);
    EXPECT_EQ(w->Riquadro->text(), "Z");
    EXPECT_TRUE(w->MenoUna->isEnabled()); // a refused letter leaves "-1" usable
    EXPECT_EQ(enabledCount(w->Lettere), 25);
}

TEST(NavigationWindow, CalcolaLimitiRefusesMalformedNamesAndChangesNothing) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    click(w->Griglia);
    press(*w, 'M');
    click(w->Copia);
    click(w->View);
    click(w->Griglia);
    press(*w, 'G');
    click(w->Copia); // a pending selection: the next run differs from the view
    ASSERT_EQ(w->Riquadro->text(), "G");
    const Limits picture = shown(*w), pending = next(*w);
    QStringList texts;
    for (const auto* box :
         {w->Limite[0], w->Limite[1], w->Limite[2], w->Limite[3], w->Zoom, w->RiquadroCorrente})
        texts << box->text();

    const QString bad[] = {"ZA", "", "A1", "Az", "MZ", QString(39, QChar('M'))};
    int n = 0;
    for (const QString& name : bad) {
        EXPECT_FALSE(w->CalcolaLimiti(name)) << name.toStdString();
        ++n;
        ASSERT_EQ(platform.messages.size(), n);
        EXPECT_EQ(platform.messages.back(), BadName);
        expectLimits(shown(*w), picture, "shown");
        expectLimits(next(*w), pending, "next");
        QStringList now;
        for (const auto* box :
             {w->Limite[0], w->Limite[1], w->Limite[2], w->Limite[3], w->Zoom, w->RiquadroCorrente})
            now << box->text();
        EXPECT_EQ(now, texts) << name.toStdString();
    }
    EXPECT_EQ(w->TipoScelta, 144);

    // A good name of 38 letters is taken whole.
    EXPECT_TRUE(w->CalcolaLimiti(QString(38, QChar('m'))));
    EXPECT_EQ(platform.messages.size(), n);
    expectLimits(shown(*w), Limits{-2.0, 1.0, -1.5, 1.5}, "38 centred shifts");
    expectLimits(next(*w), Limits{-2.0, 1.0, -1.5, 1.5}, "38 centred shifts, next");
    EXPECT_EQ(w->Zoom->text(), "1");
}

TEST(NavigationWindow, ItalianLocaleShowsCommasAndKeepsTheZoom) {
    DefaultLocale italian(QLocale(QLocale::Italian, QLocale::Italy));
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    EXPECT_EQ(w->Limite[2]->text(), "-1,5");
    click(w->Griglia);
    press(*w, 'M');
    click(w->Copia);
    click(w->View);
    EXPECT_EQ(w->Zoom->text(), "25");
    EXPECT_EQ(w->Limite[0]->text(), "-0,796680497925311");
    EXPECT_EQ(w->Limite[3]->text(), "0,303319502074689");
    click(w->Griglia);
    press(*w, 'K');
    press(*w, 'G');
    click(w->Copia);
    click(w->View);
    ASSERT_EQ(w->RiquadroCorrente->text(), "MKG");
    EXPECT_EQ(w->Zoom->text(), "15625");

    click(w->Griglia);
    click(w->MenoUna);
    EXPECT_EQ(w->Riquadro->text(), "-G");
    EXPECT_FALSE(w->MenoUna->isEnabled());
    click(w->Copia);
    EXPECT_EQ(w->RiquadroCorrente->text(), "MK");
    EXPECT_EQ(w->Zoom->text(), "625");
    EXPECT_EQ(w->Limite[0]->text(), "-0,796680497925311");
    EXPECT_EQ(w->Limite[2]->text(), "-0,0560165975103735");
    EXPECT_TRUE(platform.messages.isEmpty());
}
