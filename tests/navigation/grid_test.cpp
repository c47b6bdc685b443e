#include "navigation/areaname.h"
#include "navigation/grid.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>

using namespace quorvane;

TEST(Grid, ShiftTableRows) {
    EXPECT_EQ(Spostamenti[1], (std::array<int, 5>{-48, -24, 0, 24, 48}));
    EXPECT_EQ(Spostamenti[2], (std::array<int, 5>{-10, -5, 0, 5, 10}));
    EXPECT_EQ(gridOffset({}), QPoint(0, 0));
    EXPECT_EQ(gridOffset({0, 4, 4, 1}), QPoint(-48 + 10, 48 - 5));
}

TEST(Grid, CentredLinesFrameEachCell) {
    const GridLayout layout = DisegnaGriglia({}, false, 0);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(layout.gridH[k], QLine(145 * k - 1, -1, 145 * k - 1, 725)) << k;
        EXPECT_EQ(layout.gridH[6 + k], QLine(0, 145 * k - 1, 724, 145 * k - 1)) << k;
    }
    EXPECT_EQ(layout.gridH[0], QLine(-1, -1, -1, 725));
    EXPECT_EQ(layout.gridH[5], QLine(724, -1, 724, 725));
    EXPECT_EQ(layout.gridH[11], QLine(0, 724, 724, 724));
    EXPECT_FALSE(layout.subGrid.has_value());
}

TEST(Grid, LinesFollowCoarseAndFineShifts) {
    // offX = -48 + 10 = -38, offY = 48 - 5 = 43.
    const GridShift shift{0, 4, 4, 1};
    const GridLayout layout = DisegnaGriglia(shift, false, 0);
    EXPECT_EQ(layout.gridH[0], QLine(-39, 42, -39, 768));
    EXPECT_EQ(layout.gridH[2], QLine(251, 42, 251, 768));
    EXPECT_EQ(layout.gridH[5], QLine(686, 42, 686, 768));
    EXPECT_EQ(layout.gridH[6], QLine(-38, 42, 686, 42));
    EXPECT_EQ(layout.gridH[8], QLine(-38, 332, 686, 332));
    EXPECT_EQ(layout.gridH[11], QLine(-38, 767, 686, 767));
}

TEST(Grid, SubGridOfTheFirstLetter) {
    const GridLayout layout = DisegnaGriglia({}, true, 12); // M
    ASSERT_TRUE(layout.subGrid.has_value());
    const SubGridLayout& sub = *layout.subGrid;
    EXPECT_EQ(sub.hiddenMonoLettera, 12);
    EXPECT_EQ(sub.quad1, QRect(289, 289, 146, 146));
    EXPECT_EQ(sub.gridL[0], QLine(290, 318, 434, 318));
    EXPECT_EQ(sub.gridL[3], QLine(290, 405, 434, 405));
    EXPECT_EQ(sub.gridL[4], QLine(318, 290, 318, 434));
    EXPECT_EQ(sub.gridL[7], QLine(405, 290, 405, 434));
    EXPECT_EQ(sub.biLettera[0], QRect(300, 299, 8, 10));
    EXPECT_EQ(sub.biLettera[7], QRect(358, 328, 8, 10));
    EXPECT_EQ(sub.biLettera[24], QRect(416, 415, 8, 10));
    // The main grid is laid out the same as without the sub-grid.
    EXPECT_EQ(layout.gridH, DisegnaGriglia({}, false, 12).gridH);
}

TEST(Grid, SubGridMovesWithBothShifts) {
    // Cell S (col 3, row 3), offX = 24 - 5 = 19, offY = -24 + 5 = -19.
    const GridLayout layout = DisegnaGriglia({3, 1, 1, 3}, true, 18);
    ASSERT_TRUE(layout.subGrid.has_value());
    const SubGridLayout& sub = *layout.subGrid;
    EXPECT_EQ(sub.hiddenMonoLettera, 18);
    EXPECT_EQ(sub.quad1, QRect(453, 415, 146, 146));
    EXPECT_EQ(sub.gridL[1], QLine(454, 473, 598, 473));
    EXPECT_EQ(sub.gridL[5], QLine(511, 416, 511, 560));
    EXPECT_EQ(sub.biLettera[6], QRect(493, 454, 8, 10));
}

TEST(Grid, LetterLabelsAndFrames) {
    EXPECT_EQ(monoLetteraRect(0), QRect(65, 65, 14, 14));
    EXPECT_EQ(monoLetteraRect(12), QRect(355, 355, 14, 14));
    EXPECT_EQ(monoLetteraRect(24), QRect(645, 645, 14, 14));
    EXPECT_EQ(monoLetteraRect(9), QRect(645, 210, 14, 14));
    // M then K, no shifts.
    EXPECT_EQ(quad2Rect(12, 10, {}), QRect(289, 347, 30, 30));
    // gMrK: coarse (1, 1), fine (2, 3).
    EXPECT_EQ(quad2Rect(12, 10, {1, 1, 2, 3}), QRect(265, 328, 30, 30));
    // Quad2 sits on the sub-grid lines around the same sub-cell.
    const SubGridLayout sub = *DisegnaGriglia({1, 1, 2, 3}, true, 12).subGrid;
    EXPECT_EQ(quad2Rect(12, 10, {1, 1, 2, 3}).top(), sub.gridL[1].y1());
    EXPECT_EQ(quad2Rect(12, 10, {1, 1, 2, 3}).left(), sub.quad1.left());
}

TEST(Grid, LettersOfCellsAndShifts) {
    EXPECT_EQ(cellLetter(0), QChar(u'A'));
    EXPECT_EQ(cellLetter(24), QChar(u'Y'));
    EXPECT_EQ(shiftLetter(0, 0), QChar(u'a'));
    EXPECT_EQ(shiftLetter(2, 2), QChar(u'm'));
    EXPECT_EQ(shiftLetter(4, 2), QChar(u'o'));
    EXPECT_EQ(shiftLetter(1, 1), QChar(u'g'));
    EXPECT_EQ(shiftLetter(4, 4), QChar(u'y'));
}

TEST(Grid, MezzoMovesAndItsButtons) {
    MezzoMove m = mezzoMove(0, 2, 2);
    EXPECT_EQ(m.x, 3);
    EXPECT_EQ(m.y, 2);
    EXPECT_EQ(m.enable, (std::array<std::optional<bool>, 5>{std::nullopt, std::nullopt, true,
                                                            std::nullopt, std::nullopt}));
    m = mezzoMove(0, 3, 2);
    EXPECT_EQ(m.x, 4);
    EXPECT_EQ(m.enable[0], std::optional<bool>(false));
    EXPECT_EQ(m.enable[2], std::optional<bool>(true));

    m = mezzoMove(1, 2, 3);
    EXPECT_EQ(m.y, 4);
    EXPECT_EQ(m.enable, (std::array<std::optional<bool>, 5>{std::nullopt, false, std::nullopt, true,
                                                            std::nullopt}));
    m = mezzoMove(2, 1, 2);
    EXPECT_EQ(m.x, 0);
    EXPECT_EQ(m.enable, (std::array<std::optional<bool>, 5>{true, std::nullopt, false, std::nullopt,
                                                            std::nullopt}));
    m = mezzoMove(3, 4, 1);
    EXPECT_EQ(m.x, 4);
    EXPECT_EQ(m.y, 0);
    EXPECT_EQ(m.enable, (std::array<std::optional<bool>, 5>{std::nullopt, true, std::nullopt, false,
                                                            std::nullopt}));
    m = mezzoMove(4, 0, 4);
    EXPECT_EQ(m.x, 2);
    EXPECT_EQ(m.y, 2);
    EXPECT_EQ(m.enable, (std::array<std::optional<bool>, 5>{true, true, true, true, std::nullopt}));
}

TEST(Grid, CoarseShiftFlow) {
    const QString current = QStringLiteral("MFFSSKJHB");
    GridShift shift;
    MezzoMove m = mezzoMove(0, shift.spostaX, shift.spostaY);
    shift.spostaX = m.x;
    CoarseStageText text = coarseStageText(shift, current);
    EXPECT_EQ(text.riquadro, "n");
    EXPECT_FALSE(text.menoUnaEnabled);
    EXPECT_FALSE(text.resetMenoUnaTag);

    m = mezzoMove(0, shift.spostaX, shift.spostaY);
    shift.spostaX = m.x;
    EXPECT_EQ(shift.spostaX, 4);
    EXPECT_EQ(m.enable[0], std::optional<bool>(false));
    EXPECT_EQ(coarseStageText(shift, current).riquadro, "o");

    m = mezzoMove(2, shift.spostaX, shift.spostaY);
    shift.spostaX = m.x;
    EXPECT_EQ(m.enable[0], std::optional<bool>(true));
    EXPECT_EQ(coarseStageText(shift, current).riquadro, "n");

    m = mezzoMove(4, shift.spostaX, shift.spostaY);
    shift.spostaX = m.x;
    shift.spostaY = m.y;
    text = coarseStageText(shift, current);
    EXPECT_EQ(text.riquadro, "Z");
    EXPECT_TRUE(text.menoUnaEnabled);
    EXPECT_TRUE(text.resetMenoUnaTag);
    // Back at the centre on the start view "-1" has nothing to cut.
    text = coarseStageText(shift, "Z");
    EXPECT_EQ(text.riquadro, "Z");
    EXPECT_FALSE(text.menoUnaEnabled);
    EXPECT_FALSE(coarseStageText(shift, "gM").menoUnaEnabled);
    EXPECT_TRUE(coarseStageText(shift, "gMK").menoUnaEnabled);
}

TEST(Grid, FineShiftFlowBuildsTheFragment) {
    // Mezzo(2), Mezzo(3), letter M, Mezzo(1), letter K.
    GridShift shift;
    MezzoMove m = mezzoMove(2, shift.spostaX, shift.spostaY);
    shift.spostaX = m.x;
    shift.spostaY = m.y;
    QString riquadro = coarseStageText(shift, "Z").riquadro;
    EXPECT_EQ(riquadro, "l");
    m = mezzoMove(3, shift.spostaX, shift.spostaY);
    shift.spostaX = m.x;
    shift.spostaY = m.y;
    riquadro = coarseStageText(shift, "Z").riquadro;
    EXPECT_EQ(riquadro, "g");

    riquadro = withFirstLetter(riquadro, 12);
    EXPECT_EQ(riquadro, "gM");
    EXPECT_EQ(fineStageText(12, shift), "gM");

    m = mezzoMove(1, shift.affinaX, shift.affinaY);
    shift.affinaX = m.x;
    shift.affinaY = m.y;
    riquadro = fineStageText(12, shift);
    EXPECT_EQ(riquadro, "gMr");

    riquadro = withSecondLetter(riquadro, 10);
    EXPECT_EQ(riquadro, "gMrK");
    EXPECT_TRUE(isAreaName(riquadro));
}

TEST(Grid, FragmentsAfterAFirstLetterNeverShowZ) {
    EXPECT_EQ(withFirstLetter("Z", 12), "M");
    EXPECT_EQ(withFirstLetter("o", 0), "oA");
    EXPECT_EQ(withSecondLetter("M", 10), "MK");
    EXPECT_EQ(fineStageText(12, {}), "M");
    EXPECT_EQ(fineStageText(24, {2, 2, 0, 4}), "Yu");
    EXPECT_EQ(fineStageText(0, {4, 0, 2, 2}), "eA");
    // A centred shift writes no letter even when only one axis is centred.
    EXPECT_EQ(fineStageText(6, {2, 0, 2, 3}), "cGr");
}

TEST(Grid, MenoUnaWalksBackGroupByGroup) {
    const QString seed = QStringLiteral("MFFSSKJHB");
    EXPECT_TRUE(menoUnaAvailable(seed));
    const QStringList expected = {"-B", "-HB", "-JHB", "-KJHB", "-SKJHB", "-SSKJHB", "-FSSKJHB"};
    int tag = 0;
    for (int press = 0; press < expected.size(); ++press) {
        const MenoUnaStep step = menoUnaStep(seed, tag);
        EXPECT_EQ(step.tag, tag + 1) << press;
        EXPECT_EQ(step.riquadro, expected[press]) << press;
        // Only the seventh press leaves at most two letters.
        EXPECT_EQ(step.disableMenoUna, press == 6) << press;
        tag = step.tag;
    }
}

TEST(Grid, MenoUnaCutsAShiftLetterWithItsZoomLetter) {
    const MenoUnaStep step = menoUnaStep("gMhK", 0);
    EXPECT_EQ(step.tag, 2);
    EXPECT_EQ(step.riquadro, "-hK");
    EXPECT_TRUE(step.disableMenoUna);

    // aMbNcO: each group is two letters.
    MenoUnaStep s = menoUnaStep("aMbNcO", 0);
    EXPECT_EQ(s, (MenoUnaStep{2, "-cO", false}));
    s = menoUnaStep("aMbNcO", s.tag);
    EXPECT_EQ(s, (MenoUnaStep{4, "-bNcO", true}));

    // A three-letter name: one press, then no more.
    EXPECT_EQ(menoUnaStep("MKL", 0), (MenoUnaStep{1, "-L", true}));
    EXPECT_EQ(menoUnaStep("aMK", 0), (MenoUnaStep{1, "-K", true}));

    EXPECT_FALSE(menoUnaAvailable("Z"));
    EXPECT_FALSE(menoUnaAvailable("aM"));
    EXPECT_TRUE(menoUnaAvailable("aMK"));
}

TEST(Grid, PrecisionCheckBeforeALetter) {
    const Limits start;
    EXPECT_FALSE(maxResolutionReached(start, false));
    EXPECT_FALSE(maxResolutionReached(start, true));
    EXPECT_FALSE(maxResolutionReached(decodeAreaName("MFFSSKJHB")->limits, true));
    EXPECT_TRUE(maxResolutionReached(decodeAreaName(QString(38, u'M'))->limits, false));

    // X Min = 1 has a unit in the last place of 2^-52: the next pixel step
    // must be more than half of it. width / (5 * 723) against 1/2 ulp means
    // width 1808 ulps passes (1808/3615 > 1/2) and 1807 ulps does not.
    const auto at = [](double xWidthUlps, double yMin) {
        return Limits{1.0, 1.0 + std::ldexp(xWidthUlps, -52), yMin, yMin + 1e-3};
    };
    EXPECT_FALSE(maxResolutionReached(at(1808, 0.0), false));
    EXPECT_TRUE(maxResolutionReached(at(1807, 0.0), false));
    // The fine stage divides by 25: 9038/18075 > 1/2 > 9037/18075.
    EXPECT_FALSE(maxResolutionReached(at(9038, 0.0), true));
    EXPECT_TRUE(maxResolutionReached(at(9037, 0.0), true));
    EXPECT_FALSE(maxResolutionReached(at(9037, 0.0), false));

    // Y Min alone can refuse the letter too.
    const Limits yOnly{0.0, 1e-3, 1.0, 1.0 + std::ldexp(1807, -52)};
    EXPECT_TRUE(maxResolutionReached(yOnly, false));
    const Limits yPasses{0.0, 1e-3, 1.0, 1.0 + std::ldexp(1808, -52)};
    EXPECT_FALSE(maxResolutionReached(yPasses, false));
}
