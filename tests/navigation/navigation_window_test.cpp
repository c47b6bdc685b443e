// The grid selection driven through the main window's controls with the real
// QuorC: the grid switch, the shift cross, cells and sub-cells, "-1" and "OK".
#include "domain/areaname.h"
#include "domain/selection.h"
#include "oracle.h"
#include "steps.h"
#include "window/sfondo.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const Limits Start{-2.0, 1.0, -1.5, 1.5};
const QString NoSquareChosen = QStringLiteral("Selezionare un riquadro!");

Limits decoded(const QString& name) {
    return decodeAreaName(name).value().limits;
}

// The limits of a name decoded exactly by the oracle, to the nearest doubles.
Limits exactlyDecoded(const QString& name) {
    const quor::DeepLimits l = *quoracle::limitsOfName(name.toStdString());
    const auto nearest = [](const std::string& text) {
        double v = 0;
        std::from_chars(text.data(), text.data() + text.size(), v);
        return v;
    };
    return {nearest(l.xa), nearest(l.xb), nearest(l.ya), nearest(l.yb)};
}

template <class T> int visibleCount(const T& overlays) {
    return int(std::count_if(overlays.begin(), overlays.end(), [](auto& o) { return o.visible; }));
}
template <class T> int enabledCount(const T& buttons) {
    return int(
        std::count_if(buttons.begin(), buttons.end(), [](auto* b) { return b->isEnabled(); }));
}

// The thumbnail of a confirmed square, worked out from the picture's pixels
// on their own: the 30 x 30 pixels from frame line to frame line of a
// sub-cell one to one, or every fifth of the 146 x 146 of a cell, into
// pixels 1..30; a source off the picture keeps the background.
QImage thumbnailOf(const QImage& picture, int prima, std::optional<int> seconda,
                   const GridShift& shift) {
    auto coarse = [](int position) { return -48 + 24 * position; };
    auto fine = [](int position) { return -10 + 5 * position; };
    int x0 = 145 * (prima % 5) + coarse(shift.spostaX) + fine(shift.affinaX);
    int y0 = 145 * (prima / 5) + coarse(shift.spostaY) + fine(shift.affinaY);
    if (seconda) {
        x0 += 29 * (*seconda % 5);
        y0 += 29 * (*seconda / 5);
    }
    QImage expected(32, 32, QImage::Format_RGB32);
    expected.fill(ThumbnailBackground);
    for (int dx = 1; dx <= 30; ++dx)
        for (int dy = 1; dy <= 30; ++dy) {
            const QPoint source = seconda ? QPoint(x0 - 2 + dx, y0 - 2 + dy)
                                          : QPoint(x0 - 1 + 5 * (dx - 1), y0 - 1 + 5 * (dy - 1));
            if (picture.rect().contains(source))
                expected.setPixel(dx, dy, picture.pixel(source));
        }
    return expected;
}

// Places deep down, to be activated from the library.
const QString Deepest = "MFFSSKJHBMMMMMMMMM";
const QString TowardsZero = "mNmLmNmFmRmCmYmSmQmLmTmHmWmAmGmImNmF";

// The main window on the start view, with the real QuorC.
class NavigationWindow : public StartedWindow {
  protected:
    NavigationWindow()
        : StartedWindow(false, "\"MFFSSKJHB\",1000,1\r\n\"" + Deepest.toLatin1() +
                                   "\",1000,0\r\n\"" + TowardsZero.toLatin1() + "\",100,0\r\n") {}
    const QImage start = ui.sfondo->image();

    void act(const char* keys) { press(ui, keys); }
    Limits shown() const { return model.navigator().view().limits; }
    Limits next() const { return model.navigator().pending().limits; }

    // No grid line, letter or live frame is left on the picture.
    void expectGridGone() const {
        const Overlays& o = ui.sfondo->overlays();
        EXPECT_EQ(visibleCount(o.gridLines) + visibleCount(o.subGridLines) +
                      visibleCount(o.cellLetters) + visibleCount(o.subCellLetters),
                  0);
        EXPECT_FALSE(o.cellFrame.visible);
        EXPECT_FALSE(o.subCellFrame.visible);
    }

    // A second letter refused with a beep and the message, as at the limit
    // of double precision: the first letter's frame and sub-grid stay.
    void expectSecondLetterRefused(const QString& fragment) const {
        EXPECT_EQ(platform.beeps, 1);
        EXPECT_EQ(
            platform.messages,
            QStringList{"Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente."});
        EXPECT_EQ(ui.Riquadro->text(), fragment);
        EXPECT_EQ(model.navigator().selection().stage, GridStage::Fine);
        EXPECT_TRUE(ui.sfondo->overlays().cellFrame.visible);
        EXPECT_FALSE(ui.sfondo->overlays().subCellFrame.visible);
        EXPECT_TRUE(ui.sfondo->overlays().subCellLetters[24].visible);
        EXPECT_EQ(enabledCount(ui.Lettere) + enabledCount(ui.Mezzo), 30);
    }

    // Activates a place of the library and computes it.
    void goTo(const QString& name) {
        for (int guard = 0; guard < 3 && ui.SaveName->text() != name; ++guard)
            click(ui.SelSave[1]);
        ASSERT_EQ(ui.SaveName->text(), name);
        click(ui.Carica);
        click(ui.View);
        ASSERT_EQ(model.work(), Work::None);
        ASSERT_EQ(ui.RiquadroCorrente->text(), name);
    }
};

} // namespace

TEST_F(NavigationWindow, TwoLettersAreConfirmedFramedAndComputed) {
    const Overlays& o = ui.sfondo->overlays();
    const int starts = platform.engineStarts;
    act("#");
    EXPECT_EQ(visibleCount(o.gridLines), 12);
    EXPECT_EQ(visibleCount(o.cellLetters), 25);
    EXPECT_FALSE(ui.MenoUna->isEnabled()); // the start view has no letters to cut
    act("M");
    EXPECT_EQ(o.cellFrame.rect, QRect(289, 289, 146, 146));
    EXPECT_EQ(visibleCount(o.subGridLines), 8);
    EXPECT_FALSE(o.cellLetters[12].visible);
    act("K");
    EXPECT_EQ(ui.Riquadro->text(), "MK");
    EXPECT_FALSE(o.subCellLetters[10].visible);

    act("!");
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::TwoLetters);
    EXPECT_TRUE(o.selectedSubCellFrame.visible);
    EXPECT_EQ(o.selectedSubCellFrame.rect, QRect(289, 347, 30, 30));
    EXPECT_EQ(o.selectedSubCellFrame.colour, QColor(Qt::red));
    EXPECT_EQ(next(), decoded("MK"));
    EXPECT_EQ(shown(), Start);
    EXPECT_EQ(model.navigator().pending().thumbnail, thumbnailOf(start, 12, 10, {}));
    expectGridGone();
    EXPECT_EQ(ui.sfondo->image(), start);
    EXPECT_EQ(platform.engineStarts, starts); // OK never runs the engine

    act(">");
    EXPECT_EQ(platform.engineStarts, starts + 1);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "MK");
    EXPECT_EQ(ui.Zoom->text(), "625");
    EXPECT_EQ(shown(), decoded("MK"));
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::Kept);
    act(">"); // the view shown again: no further zoom
    EXPECT_EQ(ui.Zoom->text(), "625");
    EXPECT_EQ(shown(), decoded("MK"));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(NavigationWindow, ShiftButtonsBuildTheFragmentAndMoveTheGrid) {
    const Overlays& o = ui.sfondo->overlays();
    act("#0");
    EXPECT_EQ(ui.Riquadro->text(), "n");
    act("!"); // a shift alone is no selection: the grid stays as it is
    EXPECT_EQ(platform.messages, QStringList{NoSquareChosen});
    EXPECT_EQ(ui.Griglia->text(), "OFF");
    EXPECT_EQ(visibleCount(o.gridLines), 12);
    act("0");
    EXPECT_EQ(ui.Riquadro->text(), "o");
    EXPECT_FALSE(ui.Mezzo[0]->isEnabled());
    act("2");
    EXPECT_EQ(ui.Riquadro->text(), "n");
    EXPECT_TRUE(ui.Mezzo[0]->isEnabled());
    act("423");
    EXPECT_EQ(ui.Riquadro->text(), "g");
    EXPECT_EQ(o.gridLines[0].line, QLine(-25, -25, -25, 701));
    act("M");
    EXPECT_EQ(enabledCount(ui.Mezzo), 5); // the fine stage starts centred
    act("1!"); // fine: a shift after the last letter is no selection either
    EXPECT_EQ(ui.Riquadro->text(), "gMr");
    EXPECT_EQ(platform.messages, (QStringList{NoSquareChosen, NoSquareChosen}));
    EXPECT_EQ(o.subCellLetters[0].rect, QRect(276, 280, 8, 10));
    act("K");
    EXPECT_EQ(ui.Riquadro->text(), "gMrK");
    EXPECT_EQ(o.subCellFrame.rect, QRect(265, 328, 30, 30));
    EXPECT_EQ(enabledCount(ui.Lettere) + enabledCount(ui.Mezzo), 0);
    act("!"); // the thumbnail follows the square as drawn
    EXPECT_EQ(model.navigator().pending().thumbnail, thumbnailOf(start, 12, 10, {1, 1, 2, 3}));
}

TEST_F(NavigationWindow, CellsOfAShiftedGridReachPastThePicture) {
    act("#2233A!");
    EXPECT_TRUE(ui.sfondo->overlays().selectedCellFrame.visible);
    EXPECT_EQ(ui.sfondo->overlays().selectedCellFrame.rect, QRect(-49, -49, 146, 146));
    EXPECT_EQ(model.navigator().pending().thumbnail, thumbnailOf(start, 0, {}, {0, 0, 2, 2}));
    act(">");
    EXPECT_EQ(ui.RiquadroCorrente->text(), "aA");
    EXPECT_EQ(shown(), decoded("aA"));
    act("#"); // the next selection starts from a centred grid again
    EXPECT_EQ(enabledCount(ui.Mezzo), 5);
    EXPECT_EQ(ui.sfondo->overlays().gridLines[0].line, QLine(-1, -1, -1, 725));
}

TEST_F(NavigationWindow, CancelKeepsAConfirmedSelectionAndOkWithoutOneStartsOver) {
    act("#M!");
    ASSERT_EQ(model.navigator().pending().step, ZoomStep::OneLetter);
    EXPECT_EQ(next(), decoded("M"));
    const QImage thumbnail = model.navigator().pending().thumbnail;
    act("#1A#"); // a new selection, begun and cancelled
    EXPECT_EQ(ui.Riquadro->text(), "M");
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::OneLetter);
    EXPECT_EQ(next(), decoded("M"));
    EXPECT_TRUE(ui.sfondo->overlays().selectedCellFrame.visible);
    EXPECT_EQ(ui.sfondo->overlays().selectedCellFrame.rect, QRect(289, 289, 146, 146));
    EXPECT_EQ(model.navigator().pending().thumbnail, thumbnail);
    expectGridGone();
    EXPECT_EQ(enabledCount(ui.Lettere) + enabledCount(ui.Mezzo), 0);
    act(">");
    EXPECT_EQ(ui.RiquadroCorrente->text(), "M");

    // "OK" with nothing chosen shows the stored start view again.
    const QImage pictureOfM = ui.sfondo->image();
    const int starts = platform.engineStarts;
    act("#!");
    EXPECT_EQ(platform.engineStarts, starts);
    EXPECT_EQ(ui.sfondo->image(), start);
    // The picture of M is the one to step back to.
    click(ui.SelImage[1]);
    EXPECT_EQ(ui.sfondo->image(), pictureOfM);
    click(ui.EndSel);
    EXPECT_EQ(ui.RiquadroCorrente->text(), "Z");
    EXPECT_EQ(ui.Zoom->text(), "1");
    EXPECT_EQ(shown(), Start);
    EXPECT_EQ(next(), Start);
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::StartView);
    expectGridGone();
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(NavigationWindow, MinusOneMarksGroupsAndOkShortensTheName) {
    goTo("MFFSSKJHB"); // at the place's own limit 1000, not all inside the set
    const QImage place = ui.sfondo->image();
    ASSERT_NE(place, blackPicture());
    const int starts = platform.engineStarts;

    act("#-------");
    EXPECT_EQ(ui.Riquadro->text(), "-FSSKJHB");
    EXPECT_FALSE(ui.MenoUna->isEnabled());
    EXPECT_EQ(enabledCount(ui.Lettere) + enabledCount(ui.Mezzo), 0);
    act("-"); // disabled: nothing more is marked
    EXPECT_EQ(ui.Riquadro->text(), "-FSSKJHB");
    act("##---"); // cancelled: the count starts again
    EXPECT_EQ(ui.Riquadro->text(), "-JHB");

    act("!");
    EXPECT_EQ(ui.RiquadroCorrente->text(), "MFFSSK");
    EXPECT_EQ(shown(), decoded("MFFSSK"));
    EXPECT_EQ(next(), decoded("MFFSSK"));
    EXPECT_EQ(ui.Zoom->text(), "244140625");
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::Kept);
    expectGridGone();
    // No picture of the shortened view exists until it is computed; the
    // place's picture is the one to step back to.
    EXPECT_EQ(ui.sfondo->image(), blackPicture());
    EXPECT_EQ(model.history().recent().all().front().image, place);
    for (QPushButton* needsPicture : {ui.Istogramma, ui.Salva, ui.SalvaFile})
        EXPECT_FALSE(needsPicture->isEnabled()) << needsPicture->objectName().toStdString();
    EXPECT_EQ(platform.engineStarts, starts);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(NavigationWindow, LettersGoOnPastTheLimitOfDoublePrecision) {
    // Eighteen zooms, where a sub-cell's pixel step no longer tells X Min
    // from the next sample in doubles: the deep kind computes it like any
    // other, under its own name.
    goTo(Deepest);
    act("#MY!");
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::TwoLetters);
    act(">");
    EXPECT_EQ(ui.RiquadroCorrente->text(), Deepest + "MY");
    EXPECT_TRUE(model.navigator().view().deep);
    EXPECT_EQ(ui.Zoom->text(), "25^20");
    EXPECT_NE(ui.sfondo->image(), blackPicture());
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(NavigationWindow, LettersStopAtTheLongestAreaName) {
    // 36 letters towards 0 + 0i.
    const QString deep = TowardsZero;
    goTo(deep);
    act("#3M"); // a shift and a cell: 38 letters, the longest name
    ASSERT_TRUE(platform.messages.isEmpty());
    act("M"); // a sub-cell would make 39
    expectSecondLetterRefused("hM");

    platform.messages.clear();
    act("!>"); // the 38 letters are computed under their own name
    EXPECT_EQ(ui.RiquadroCorrente->text(), deep + "hM");
    // The same view as the oracle decodes the name, to far below a pixel step.
    const Limits a = shown(), b = exactlyDecoded(deep + "hM");
    const double tolerance = (b.xMax - b.xMin) * 1e-9;
    for (auto [x, y] :
         {std::pair{a.xMin, b.xMin}, {a.xMax, b.xMax}, {a.yMin, b.yMin}, {a.yMax, b.yMax}})
        EXPECT_NEAR(x, y, tolerance);
    act("#-!"); // and "-1" takes the last group off again
    EXPECT_EQ(ui.RiquadroCorrente->text(), deep);
    EXPECT_EQ(next(), exactlyDecoded(deep));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}
