// The grid's geometry value by value, worked out by hand: cells on a 145 px
// pitch, sub-cells on 29, shifts of 24 px (names, limits) and a drawn fine
// shift of 5 px.
#include "domain/grid.h"
#include "domain/selection.h"

#include <gtest/gtest.h>

#include <optional>

using namespace quorvane;

TEST(ShiftCross, EveryButtonFromTheEndsAndTheCentre) {
    const struct {
        int index, x, y, wantX, wantY;
    } cases[] = {
        {0, 2, 2, 3, 2}, {0, 3, 2, 4, 2}, {1, 2, 3, 2, 4}, {2, 1, 2, 0, 2}, {3, 2, 1, 2, 0},
        {0, 0, 0, 1, 0}, {1, 4, 0, 4, 1}, {2, 4, 4, 3, 4}, {3, 0, 4, 0, 3}, {4, 0, 4, 2, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mezzoMove(c.index, c.x, c.y), (MezzoMove{c.wantX, c.wantY}))
            << c.index << " from " << c.x << "," << c.y;
    // A press past an end never leaves the shift table.
    for (int index = 0; index < 4; ++index)
        for (int at : {0, 4}) {
            const MezzoMove move = mezzoMove(index, at, at);
            EXPECT_TRUE(move.x >= 0 && move.x <= 4 && move.y >= 0 && move.y <= 4) << index;
        }
}

TEST(MenoUna, EachPressMarksOneGroupAndStopsAtTwoLettersLeft) {
    // The tag before a press, then the tag, text and disabling it gives.
    const struct {
        QString name;
        int n, tag;
        QString riquadro;
        bool disable;
    } cases[] = {
        {"MFFSSKJHB", 0, 1, "-B", false},
        {"MFFSSKJHB", 1, 2, "-HB", false},
        {"MFFSSKJHB", 5, 6, "-SSKJHB", false},
        {"MFFSSKJHB", 6, 7, "-FSSKJHB", true},
        // A shift letter goes with the zoom letter after it.
        {"gMhK", 0, 2, "-hK", true},
        {"aBcDeF", 0, 2, "-eF", false},
        {"aBcDeF", 2, 4, "-cDeF", true},
        // The last group with its shift letter can leave a single letter.
        {"MgHK", 0, 1, "-K", false},
        {"MgHK", 1, 3, "-gHK", true},
        {"MKyA", 0, 2, "-yA", true},
        {"MKA", 0, 1, "-A", true},
        {"MMMa", 0, 1, "-a", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(menoUnaStep(c.name, c.n), (MenoUnaStep{c.tag, c.riquadro, c.disable}))
            << c.name.toStdString() << " tag " << c.n;

    for (const QString name : {"Z", "", "M", "MK", "gM", "MKA", "gMK"})
        EXPECT_EQ(menoUnaAvailable(name), name.size() > 2) << name.toStdString();
}

TEST(Confirmation, EachCaseOfOk) {
    const struct {
        QString riquadro;
        int cut;
        bool letter;
        Confirmation want;
    } cases[] = {
        {"Z", 0, false, Confirmation::StartOver},
        {"-B", 1, false, Confirmation::GoBack},
        {"-hK", 2, false, Confirmation::GoBack},
        // No letter since the grid was switched on, or a shift after the last.
        {"n", 0, false, Confirmation::NeedSelection},
        {"gMr", 0, true, Confirmation::NeedSelection},
        {"My", 0, true, Confirmation::NeedSelection},
        {"yY", 0, true, Confirmation::Select},
        {"gMrK", 0, true, Confirmation::Select},
        {"AA", 0, true, Confirmation::Select},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classifyConfirmation(c.riquadro, c.cut, c.letter), c.want)
            << c.riquadro.toStdString();

    EXPECT_EQ(shortenedName("MFFSSKJHB", 7), "MF");
    EXPECT_EQ(shortenedName("MgHK", 3), "M");
}

namespace {

// A picture whose every pixel names its own column and row.
QRgb coded(int i, int j) {
    return qRgb(0, 0, 0) | QRgb(i << 10 | j);
}
QImage codedPicture() {
    QImage picture(DimScreen, DimScreen, QImage::Format_RGB32);
    for (int i = 0; i < DimScreen; ++i)
        for (int j = 0; j < DimScreen; ++j)
            picture.setPixel(i, j, coded(i, j));
    return picture;
}

// The picture pixel that thumbnail pixel (u, v) shows, if any: pixels 1..30
// run from frame line to frame line, a sub-cell one to one, a cell every
// fifth pixel.
std::optional<QPoint> source(const ChosenSquare& square, int u, int v) {
    if (u < 1 || u > 30 || v < 1 || v > 30)
        return std::nullopt;
    const int pitch = square.size == 28 ? 1 : 5;
    const int i = square.x0 - 1 + pitch * (u - 1), j = square.y0 - 1 + pitch * (v - 1);
    if (i < 0 || i >= DimScreen || j < 0 || j >= DimScreen)
        return std::nullopt;
    return QPoint(i, j);
}

} // namespace

TEST(Thumbnail, EachPixelComesFromItsSourceOrStaysBackground) {
    const QImage picture = codedPicture();
    const QRgb background = ThumbnailBackground.rgb();
    const ChosenSquare squares[] = {
        {290, 290, 144}, // M
        {0, 0, 144},     // A: the frame lines above and left lie outside
        {-48, -48, 144}, // aA: the first nine samples each way lie outside
        {628, 628, 144}, // yY: samples from 723 on lie outside
        {-19, 0, 28},    // kAB: partly left of the picture
        {701, 696, 28},  // YnY: partly right of and below it
    };
    for (const ChosenSquare& square : squares) {
        const QImage icona = sampleThumbnail(picture, square);
        ASSERT_EQ(icona.size(), QSize(32, 32));
        for (int u = 0; u < 32; ++u)
            for (int v = 0; v < 32; ++v) {
                const auto from = source(square, u, v);
                ASSERT_EQ(icona.pixel(u, v), from ? coded(from->x(), from->y()) : background)
                    << square.x0 << "," << square.y0 << " size " << square.size << " at " << u
                    << "," << v;
            }
    }
}

namespace {

// The square a letter picks, `origin` pixel steps into view v and a fifth of
// its X width on each side. The first letter picks in the view shown, the
// second in the first letter's square.
Limits fifthAt(const Limits& v, QPoint origin) {
    const double step = (v.xMax - v.xMin) / 723, fifth = (v.xMax - v.xMin) / 5;
    const double xMin = v.xMin + step * origin.x(), yMin = v.yMin + step * origin.y();
    return {xMin, xMin + fifth, yMin, yMin + fifth};
}

} // namespace

TEST(ChosenSquare, DrawnSquareAndNextRunOfShiftedCellsAndSubCells) {
    const Limits start;
    // Not square, so that a Y width used anywhere shows; and a deep view.
    const Limits wide{0.25, 0.375, -0.5, -0.25};
    const Limits deep{-0.779181729460581, -0.779180193460581, -0.13452308713693, -0.13452155113693};
    // The first free pixel of the square as drawn, then the origins of the
    // next run's cell in the view shown and of its sub-cell in the cell.
    const struct {
        Limits shown;
        int prima;
        std::optional<int> seconda;
        GridShift shift;
        int x0, y0;
        QPoint first;
        std::optional<QPoint> second;
    } cases[] = {
        {start, 12, {}, {}, 290, 290, {290, 290}, {}},
        {start, 0, {}, {0, 0, 2, 2}, -48, -48, {-48, -48}, {}},
        // The fine shift moves the drawn square, not the first letter's one.
        {start, 24, {}, {4, 3, 0, 4}, 618, 614, {628, 604}, {}},
        {start, 12, 10, {}, 290, 348, {290, 290}, QPoint(0, 290)},
        {start, 12, 10, {1, 1, 2, 3}, 266, 329, {266, 266}, QPoint(0, 314)},
        {wide, 6, 24, {3, 0, 4, 1}, 295, 208, {169, 97}, QPoint(628, 556)},
        {wide, 4, 20, {2, 2, 1, 2}, 575, 116, {580, 0}, QPoint(-24, 580)},
        {deep, 0, 0, {0, 0, 0, 0}, -58, -58, {-48, -48}, QPoint(-48, -48)},
        {deep, 24, 18, {4, 1, 3, 0}, 720, 633, {628, 556}, QPoint(459, 387)},
    };
    for (const auto& c : cases) {
        const int size = c.second ? 28 : 144;
        const int second = c.seconda.value_or(-1);
        EXPECT_EQ(chosenSquare(c.prima, c.seconda, c.shift), (ChosenSquare{c.x0, c.y0, size}))
            << c.prima << "/" << second;
        if (c.seconda) {
            EXPECT_EQ(subCellFrameRect(c.prima, *c.seconda, c.shift),
                      QRect(c.x0 - 1, c.y0 - 1, 30, 30))
                << c.prima << "/" << second;
        }
        const Limits cell = fifthAt(c.shown, c.first);
        EXPECT_EQ(nextRunLimits(c.shown, c.prima, c.seconda, c.shift),
                  c.second ? fifthAt(cell, *c.second) : cell)
            << c.prima << "/" << second;
    }
}

TEST(GridDrawing, LinesLettersAndFrameFollowTheShifts) {
    // The drawn offset of the grid (coarse plus drawn fine shift) and, for a
    // first letter, the top-left free pixel of its cell.
    const struct {
        GridShift shift;
        int offX, offY;
        std::optional<int> prima;
        int cellX, cellY;
    } cases[] = {
        {{}, 0, 0, {}, 0, 0},
        {{0, 4, 2, 2}, -48, 48, {}, 0, 0},
        {{}, 0, 0, 12, 290, 290},
        {{1, 1, 2, 3}, -24, -19, 12, 266, 271},
        {{4, 0, 1, 4}, 43, -38, 24, 623, 542},
        {{3, 2, 0, 0}, 14, -10, 5, 14, 135},
    };
    for (const auto& c : cases) {
        const GridLayout layout = layoutGrid(c.shift, c.prima.has_value(), c.prima.value_or(0));
        for (int k = 0; k < 6; ++k) {
            // Lines at 145 k - 1 plus the offset, across the whole picture.
            const int x = 145 * k - 1 + c.offX, y = 145 * k - 1 + c.offY;
            EXPECT_EQ(layout.lines[k], QLine(x, c.offY - 1, x, c.offY + 725)) << k;
            EXPECT_EQ(layout.lines[k + 6], QLine(c.offX, y, c.offX + 724, y)) << k;
        }
        ASSERT_EQ(layout.subGrid.has_value(), c.prima.has_value());
        if (!c.prima)
            continue;
        const SubGridLayout& sub = *layout.subGrid;
        EXPECT_EQ(sub.hiddenCellLetter, *c.prima);
        EXPECT_EQ(sub.frame, QRect(c.cellX - 1, c.cellY - 1, 146, 146));
        for (int j = 0; j < 4; ++j) {
            const int x = c.cellX + 29 * (j + 1) - 1, y = c.cellY + 29 * (j + 1) - 1;
            EXPECT_EQ(sub.lines[j], QLine(c.cellX, y, c.cellX + 144, y)) << j;
            EXPECT_EQ(sub.lines[j + 4], QLine(x, c.cellY, x, c.cellY + 144)) << j;
        }
        for (int k = 0; k < 25; ++k)
            EXPECT_EQ(sub.letters[k],
                      QRect(c.cellX + 10 + 29 * (k % 5), c.cellY + 9 + 29 * (k / 5), 8, 10))
                << k;
    }
}

TEST(SelectionText, FragmentsOfEachStage) {
    const struct {
        int prima;
        GridShift shift;
        QString text;
    } fine[] = {
        {12, {}, "M"},
        {12, {1, 1, 2, 3}, "gMr"},
        {0, {2, 2, 0, 0}, "Aa"},
        {24, {4, 4, 4, 4}, "yYy"},
        {7, {3, 2, 2, 1}, "nHh"},
        {7, {2, 3, 1, 2}, "rHl"},
    };
    for (const auto& c : fine)
        EXPECT_EQ(fineStageText(c.prima, c.shift), c.text) << c.text.toStdString();

    // Centred: "Z", and "-1" when the name is long enough.
    const struct {
        GridShift shift;
        QString current;
        CoarseStageText want;
    } coarse[] = {
        {{}, "gM", {"Z", false}},
        {{2, 2, 0, 4}, "MKA", {"Z", true}},
        {{4, 2, 2, 2}, "MKA", {"o", false}},
        {{0, 0, 2, 2}, "MKA", {"a", false}},
        {{4, 4, 2, 2}, "Z", {"y", false}},
        {{2, 3, 2, 2}, "MKA", {"r", false}},
    };
    for (const auto& c : coarse)
        EXPECT_EQ(coarseStageText(c.shift, c.current), c.want) << c.want.riquadro.toStdString();

    // "Z" stands for nothing chosen and gives way to the first letter.
    EXPECT_EQ(withFirstLetter("Z", 12), "M");
    EXPECT_EQ(withFirstLetter("y", 0), "yA");
    EXPECT_EQ(withSecondLetter("gMr", 10), "gMrK");
}
