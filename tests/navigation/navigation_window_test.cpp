// The grid selection driven through the main window's controls, as a user
// switches the grid on, shifts it, picks a cell and a sub-cell, confirms with
// "OK" or cancels, and computes the chosen area with the real QuorC.
#include "appfolder.h"
#include "navigation_support.h"
#include "navigation/areaname.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QRgb White = qRgb(255, 255, 255);

// No grid line, letter or live frame is left on the picture.
void expectGridGone(const MainWindow& w) {
    EXPECT_EQ(visibleCount(w.sfondo->GridH), 0);
    EXPECT_EQ(visibleCount(w.sfondo->GridL), 0);
    EXPECT_EQ(visibleCount(w.sfondo->MonoLettera), 0);
    EXPECT_EQ(visibleCount(w.sfondo->BiLettera), 0);
    EXPECT_FALSE(w.sfondo->Quad1[0].visible);
    EXPECT_FALSE(w.sfondo->Quad2[0].visible);
}

// The frame "Nuova selezione" in the ready state: only the grid switch works.
void expectReadySelection(const MainWindow& w) {
    EXPECT_EQ(w.Griglia->text(), "ON");
    EXPECT_EQ(tagOf(w.Griglia), "False");
    EXPECT_TRUE(w.Griglia->isEnabled());
    EXPECT_TRUE(w.View->isEnabled());
    EXPECT_FALSE(w.Copia->isEnabled());
    EXPECT_FALSE(w.MenoUna->isEnabled());
    int enabled = 0;
    for (const auto* letter : w.Lettere)
        enabled += letter->isEnabled() ? 1 : 0;
    for (const auto* m : w.Mezzo)
        enabled += m->isEnabled() ? 1 : 0;
    EXPECT_EQ(enabled, 0);
}

int enabledCount(const std::array<QPushButton*, 25>& buttons) {
    int n = 0;
    for (const auto* b : buttons)
        n += b->isEnabled() ? 1 : 0;
    return n;
}

int enabledCount(const std::array<QPushButton*, 5>& buttons) {
    int n = 0;
    for (const auto* b : buttons)
        n += b->isEnabled() ? 1 : 0;
    return n;
}

QImage viewIcon(const MainWindow& w) {
    return w.View->icon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_RGB32);
}

// Thumbnail pixels (1..30, 1..30) that differ from picture (u + dx, v + dy).
int oneToOneMismatches(const QImage& icona, const QImage& picture, int dx, int dy) {
    int mismatches = 0;
    for (int u = 1; u <= 30; ++u)
        for (int v = 1; v <= 30; ++v)
            if (icona.pixel(u, v) != picture.pixel(u + dx, v + dy))
                ++mismatches;
    return mismatches;
}

int whiteBorderMismatches(const QImage& icona) {
    int mismatches = 0;
    for (int k = 0; k < 32; ++k)
        for (const QPoint p : {QPoint(k, 0), QPoint(k, 31), QPoint(0, k), QPoint(31, k)})
            if (icona.pixel(p) != White)
                ++mismatches;
    return mismatches;
}

} // namespace

TEST(NavigationWindow, TwoLettersAreConfirmedFramedAndComputed) {
    DefaultLocale c(QLocale::c());
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    ASSERT_EQ(w->RiquadroCorrente->text(), "Z");
    const QImage picture = w->sfondo->image();
    const int recent = w->NumUltime;
    const int starts = platform.engineStarts;
    EXPECT_EQ(tagOf(w->AutoColor), "True"); // the start run built the palette

    click(w->Griglia);
    EXPECT_EQ(w->Griglia->text(), "OFF");
    EXPECT_EQ(w->Riquadro->text(), "Z");
    press(*w, 'M');
    EXPECT_EQ(w->Riquadro->text(), "M");
    EXPECT_EQ(tagOf(w->Griglia), "True");
    EXPECT_TRUE(w->sfondo->Quad1[0].visible);
    EXPECT_EQ(w->sfondo->Quad1[0].rect, QRect(289, 289, 146, 146));
    press(*w, 'K');
    EXPECT_EQ(w->Riquadro->text(), "MK");
    EXPECT_TRUE(w->sfondo->Quad2[0].visible);
    EXPECT_FALSE(w->sfondo->Quad1[0].visible);
    EXPECT_EQ(w->sfondo->Quad2[0].rect, QRect(289, 347, 30, 30));

    click(w->Copia);
    EXPECT_EQ(w->TipoScelta, 28);
    EXPECT_EQ(w->Riquadro->text(), "MK");
    const FrameOverlay& kept = w->sfondo->Quad2[1];
    EXPECT_TRUE(kept.visible);
    EXPECT_EQ(kept.rect, QRect(289, 347, 30, 30));
    EXPECT_EQ(kept.colour, QColor(Qt::red));
    EXPECT_FALSE(w->sfondo->Quad1[1].visible);
    expectLimits(next(*w), decoded("MK"), "next run after OK");
    expectLimits(shown(*w), Limits{-2.0, 1.0, -1.5, 1.5}, "picture shown after OK");
    // The thumbnail copies the sub-cell one to one, frame lines included.
    ASSERT_EQ(w->Icona.size(), QSize(32, 32));
    EXPECT_EQ(oneToOneMismatches(w->Icona, picture, 288, 346), 0);
    EXPECT_EQ(whiteBorderMismatches(w->Icona), 0);
    EXPECT_EQ(viewIcon(*w), w->Icona.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(tagOf(w->AutoColor), "False");
    expectReadySelection(*w);
    expectGridGone(*w);
    EXPECT_EQ(w->sfondo->image(), picture);
    EXPECT_EQ(platform.engineStarts, starts); // OK never runs the engine

    click(w->View);
    ASSERT_FALSE(w->busy());
    EXPECT_EQ(platform.engineStarts, starts + 1);
    EXPECT_EQ(w->RiquadroCorrente->text(), "MK");
    EXPECT_EQ(w->Riquadro->text(), "");
    EXPECT_EQ(w->Zoom->text(), "625");
    EXPECT_EQ(w->TipoScelta, 255);
    EXPECT_EQ(w->Limite[0]->text(), "-0.796680497925311");
    EXPECT_EQ(w->Limite[1]->text(), "-0.676680497925311");
    EXPECT_EQ(w->Limite[2]->text(), "-0.0560165975103735");
    EXPECT_EQ(w->Limite[3]->text(), "0.0639834024896265");
    EXPECT_FALSE(w->sfondo->Quad1[1].visible);
    EXPECT_FALSE(w->sfondo->Quad2[1].visible);
    expectLimits(shown(*w), decoded("MK"), "picture shown after View");
    EXPECT_EQ(w->NumUltime, recent + 1);
    EXPECT_EQ(w->PercorsiUltime[0], "MK");
    EXPECT_EQ(w->PercorsiUltime[1], "Z");
    EXPECT_NE(w->sfondo->image(), picture);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST(NavigationWindow, GridOnAndOffRestoresTheFragmentAndHidesEverything) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QString before = w->Riquadro->text();
    const Limits pending = next(*w);
    const int tipo = w->TipoScelta;

    click(w->Griglia);
    EXPECT_EQ(w->Griglia->text(), "OFF");
    EXPECT_EQ(w->Riquadro->text(), "Z");
    // The start view has no letters to cut.
    EXPECT_FALSE(w->MenoUna->isEnabled());
    EXPECT_EQ(tagOf(w->MenoUna), "0");
    EXPECT_EQ(enabledCount(w->Lettere), 25);
    EXPECT_EQ(enabledCount(w->Mezzo), 5);
    EXPECT_TRUE(w->Copia->isEnabled());
    EXPECT_TRUE(w->Griglia->isEnabled());
    for (QWidget* other : {static_cast<QWidget*>(w->View), static_cast<QWidget*>(w->IterazOK),
                           static_cast<QWidget*>(w->Salva), static_cast<QWidget*>(w->Carica),
                           static_cast<QWidget*>(w->Julia), static_cast<QWidget*>(w->Esci)})
        EXPECT_FALSE(other->isEnabled()) << other->objectName().toStdString();
    EXPECT_EQ(visibleCount(w->sfondo->GridH), 12);
    EXPECT_EQ(visibleCount(w->sfondo->MonoLettera), 25);
    EXPECT_EQ(w->sfondo->GridH[0].line, QLine(-1, -1, -1, 725));
    EXPECT_EQ(w->sfondo->GridH[5].line, QLine(724, -1, 724, 725));
    EXPECT_EQ(w->sfondo->GridH[6].line, QLine(0, -1, 724, -1));
    EXPECT_EQ(w->sfondo->GridH[11].line, QLine(0, 724, 724, 724));
    EXPECT_EQ(w->sfondo->MonoLettera[7].rect, QRect(355, 210, 14, 14));
    EXPECT_EQ(w->sfondo->MonoLettera[7].text, "H");

    press(*w, 'M');
    EXPECT_EQ(visibleCount(w->sfondo->GridL), 8);
    EXPECT_EQ(visibleCount(w->sfondo->BiLettera), 25);
    EXPECT_EQ(visibleCount(w->sfondo->MonoLettera), 24);
    EXPECT_FALSE(w->sfondo->MonoLettera[12].visible);
    press(*w, 'K');
    EXPECT_EQ(visibleCount(w->sfondo->BiLettera), 24);
    EXPECT_FALSE(w->sfondo->BiLettera[10].visible);
    EXPECT_TRUE(w->sfondo->Quad2[0].visible);

    click(w->Griglia);
    EXPECT_EQ(w->Riquadro->text(), before);
    expectGridGone(*w);
    expectReadySelection(*w);
    EXPECT_EQ(w->TipoScelta, tipo);
    expectLimits(next(*w), pending, "next run after cancelling");
    EXPECT_FALSE(w->sfondo->Quad1[1].visible);
    EXPECT_FALSE(w->sfondo->Quad2[1].visible);
    EXPECT_EQ(w->sfondo->image(), w->Z);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(NavigationWindow, ShiftButtonsBuildTheFragmentAndMoveTheGrid) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QImage picture = w->sfondo->image();
    const auto& o = *w->sfondo;
    click(w->Griglia);

    shift(*w, 0);
    EXPECT_EQ(w->SpostaX, 3);
    EXPECT_EQ(w->Riquadro->text(), "n");
    EXPECT_EQ(o.GridH[0].line, QLine(23, -1, 23, 725));
    shift(*w, 0);
    EXPECT_EQ(w->SpostaX, 4);
    EXPECT_EQ(w->SpostaY, 2);
    EXPECT_EQ(w->Riquadro->text(), "o");
    EXPECT_FALSE(w->Mezzo[0]->isEnabled());
    EXPECT_TRUE(w->Mezzo[2]->isEnabled());
    EXPECT_EQ(o.GridH[0].line, QLine(47, -1, 47, 725));
    EXPECT_EQ(o.GridH[6].line, QLine(48, -1, 772, -1));
    EXPECT_EQ(o.MonoLettera[0].rect, QRect(65, 65, 14, 14)); // the captions stay put
    shift(*w, 0);                                            // disabled: no effect
    EXPECT_EQ(w->SpostaX, 4);
    shift(*w, 2);
    EXPECT_EQ(w->SpostaX, 3);
    EXPECT_EQ(w->Riquadro->text(), "n");
    EXPECT_TRUE(w->Mezzo[0]->isEnabled());
    shift(*w, 4);
    EXPECT_EQ(w->SpostaX, 2);
    EXPECT_EQ(w->SpostaY, 2);
    EXPECT_EQ(w->Riquadro->text(), "Z");
    EXPECT_EQ(enabledCount(w->Mezzo), 5);
    EXPECT_EQ(o.GridH[0].line, QLine(-1, -1, -1, 725));
    EXPECT_FALSE(w->MenoUna->isEnabled());

    shift(*w, 2);
    shift(*w, 3);
    EXPECT_EQ(w->Riquadro->text(), "g");
    EXPECT_EQ(o.GridH[0].line, QLine(-25, -25, -25, 701));
    EXPECT_EQ(o.GridH[6].line, QLine(-24, -25, 700, -25));
    press(*w, 'M');
    EXPECT_EQ(w->Riquadro->text(), "gM");
    EXPECT_EQ(tagOf(w->Griglia), "True");
    EXPECT_EQ(o.Quad1[0].rect, QRect(265, 265, 146, 146));
    EXPECT_EQ(o.GridL[0].line, QLine(266, 294, 410, 294));
    EXPECT_EQ(o.GridL[4].line, QLine(294, 266, 294, 410));
    EXPECT_EQ(o.BiLettera[0].rect, QRect(276, 275, 8, 10));
    EXPECT_EQ(enabledCount(w->Mezzo), 5); // the fine stage starts centred
    shift(*w, 1);                         // fine: drawn 5 pixels down
    EXPECT_EQ(w->Riquadro->text(), "gMr");
    EXPECT_EQ(w->AffinaY, 3);
    EXPECT_EQ(w->SpostaY, 1);
    EXPECT_EQ(o.GridH[0].line, QLine(-25, -20, -25, 706));
    EXPECT_EQ(o.GridH[6].line, QLine(-24, -20, 700, -20));
    EXPECT_EQ(o.Quad1[0].rect, QRect(265, 270, 146, 146));
    EXPECT_EQ(o.BiLettera[0].rect, QRect(276, 280, 8, 10));
    press(*w, 'K');
    EXPECT_EQ(w->Riquadro->text(), "gMrK");
    EXPECT_EQ(o.Quad2[0].rect, QRect(265, 328, 30, 30));
    EXPECT_TRUE(o.Quad2[0].visible);
    EXPECT_FALSE(o.Quad1[0].visible);
    EXPECT_FALSE(o.BiLettera[10].visible);
    EXPECT_EQ(enabledCount(w->Lettere), 0);
    EXPECT_EQ(enabledCount(w->Mezzo), 0);
    EXPECT_TRUE(w->Copia->isEnabled());
    EXPECT_TRUE(w->Griglia->isEnabled());
    EXPECT_FALSE(w->MenoUna->isEnabled());

    // The thumbnail follows the square as drawn, fine shift included.
    click(w->Copia);
    EXPECT_EQ(w->TipoScelta, 28);
    EXPECT_EQ(o.Quad2[1].rect, QRect(265, 328, 30, 30));
    EXPECT_TRUE(o.Quad2[1].visible);
    EXPECT_EQ(oneToOneMismatches(w->Icona, picture, 264, 327), 0);
    EXPECT_EQ(whiteBorderMismatches(w->Icona), 0);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(NavigationWindow, CornerCellOfAGridShiftedUpAndLeft) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QImage picture = w->sfondo->image();
    click(w->Griglia);
    shift(*w, 2);
    shift(*w, 2);
    shift(*w, 3);
    shift(*w, 3);
    EXPECT_EQ(w->Riquadro->text(), "a");
    EXPECT_FALSE(w->Mezzo[2]->isEnabled());
    EXPECT_FALSE(w->Mezzo[3]->isEnabled());
    press(*w, 'A');
    EXPECT_EQ(w->Riquadro->text(), "aA");
    EXPECT_EQ(enabledCount(w->Mezzo), 5); // the fine shift starts centred
    EXPECT_EQ(w->sfondo->Quad1[0].rect, QRect(-49, -49, 146, 146));
    click(w->Copia);

    EXPECT_EQ(w->TipoScelta, 144);
    EXPECT_TRUE(w->sfondo->Quad1[1].visible);
    EXPECT_EQ(w->sfondo->Quad1[1].rect, QRect(-49, -49, 146, 146));
    EXPECT_EQ(w->sfondo->Quad1[1].colour, QColor(Qt::red));
    EXPECT_FALSE(w->sfondo->Quad2[1].visible);
    // Every fifth pixel from the frame line at -49: columns and rows whose
    // source lies left of or above the picture stay blank.
    int mismatches = 0, blanks = 0;
    for (int u = 0; u < 32; ++u)
        for (int v = 0; v < 32; ++v) {
            const int i = -49 + 5 * (u - 1), j = -49 + 5 * (v - 1);
            const bool inside = u >= 1 && u <= 30 && v >= 1 && v <= 30 && i >= 0 && j >= 0;
            blanks += inside ? 0 : 1;
            if (w->Icona.pixel(u, v) != (inside ? picture.pixel(i, j) : White))
                ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(blanks, 32 * 32 - 20 * 20);
    // The new view starts 48 pixel steps left of and above the one shown.
    const double step = (1.0 - -2.0) / 723, fifth = (1.0 - -2.0) / 5;
    EXPECT_EQ(w->NuovoXMin, -2.0 + step * -48);
    EXPECT_EQ(w->NuovoXMax, w->NuovoXMin + fifth);
    EXPECT_EQ(w->NuovoYMin, -1.5 + step * -48);
    EXPECT_EQ(w->NuovoYMax, w->NuovoYMin + fifth);

    click(w->View);
    EXPECT_EQ(w->RiquadroCorrente->text(), "aA");
    EXPECT_EQ(w->Zoom->text(), "25");
    EXPECT_EQ(w->XMin, -2.0 + step * -48);

    // The next selection starts from a centred grid again.
    click(w->Griglia);
    EXPECT_EQ(w->SpostaX, 2);
    EXPECT_EQ(w->SpostaY, 2);
    EXPECT_EQ(w->Riquadro->text(), "Z");
    EXPECT_EQ(enabledCount(w->Mezzo), 5);
    EXPECT_EQ(w->sfondo->GridH[0].line, QLine(-1, -1, -1, 725));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(NavigationWindow, CancelKeepsAConfirmedSelectionPending) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    click(w->Griglia);
    press(*w, 'M');
    click(w->Copia);
    ASSERT_EQ(w->TipoScelta, 144);
    const Limits pending = next(*w);
    expectLimits(pending, decoded("M"), "one letter M");
    const QImage thumbnail = w->Icona;
    EXPECT_EQ(w->sfondo->Quad1[1].rect, QRect(289, 289, 146, 146));

    // A new selection, begun and cancelled, leaves the confirmed one whole.
    click(w->Griglia);
    EXPECT_EQ(w->Riquadro->text(), "Z");
    shift(*w, 1);
    press(*w, 'A');
    EXPECT_EQ(w->Riquadro->text(), "rA");
    click(w->Griglia);
    EXPECT_EQ(w->Riquadro->text(), "M");
    EXPECT_EQ(w->TipoScelta, 144);
    expectLimits(next(*w), pending, "after cancelling");
    EXPECT_TRUE(w->sfondo->Quad1[1].visible);
    EXPECT_EQ(w->sfondo->Quad1[1].rect, QRect(289, 289, 146, 146));
    EXPECT_EQ(w->Icona, thumbnail);
    expectGridGone(*w);
    expectReadySelection(*w);

    click(w->View);
    EXPECT_EQ(w->Zoom->text(), "25");
    EXPECT_EQ(w->RiquadroCorrente->text(), "M");
    expectLimits(shown(*w), pending, "after View");
    EXPECT_FALSE(w->sfondo->Quad1[1].visible);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(NavigationWindow, NamesReachedByLettersMatchTheirDecoding) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    click(w->Griglia);
    press(*w, 'M');
    press(*w, 'K');
    click(w->Copia);
    click(w->View);
    ASSERT_EQ(w->RiquadroCorrente->text(), "MK");
    expectLimits(shown(*w), decoded("MK"), "MK");

    click(w->Griglia);
    shift(*w, 0);
    press(*w, 'G');
    shift(*w, 3);
    press(*w, 'H');
    EXPECT_EQ(w->Riquadro->text(), "nGhH");
    click(w->Copia);
    click(w->View);
    ASSERT_EQ(w->RiquadroCorrente->text(), "MKnGhH");
    EXPECT_EQ(w->Zoom->text(), "390625");

    // The confirmation works in pixel steps of the picture shown, the name in
    // steps of each letter's view: they differ only by rounding, far below a
    // pixel of the view.
    const Limits byName = decoded("MKnGhH");
    const double width = byName.xMax - byName.xMin;
    const double tolerance = 8 * std::numeric_limits<double>::epsilon();
    EXPECT_NEAR(width, 3.0 / 625, tolerance); // four zooms by five
    EXPECT_NEAR(w->XMin, byName.xMin, tolerance);
    EXPECT_NEAR(w->XMax, byName.xMax, tolerance);
    EXPECT_NEAR(w->YMin, byName.yMin, tolerance);
    EXPECT_NEAR(w->YMax, byName.yMax, tolerance);
    EXPECT_NEAR(w->XMax - w->XMin, width, tolerance);
    EXPECT_TRUE(platform.messages.isEmpty());
}
