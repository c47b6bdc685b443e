// The histogram driven through "Istogramma" on the real window.
#include "library/recentpictures.h"
#include "model/histogram.h"
#include "steps.h"
#include "window/sfondo.h"
#include "window/viewcore.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::testing;

using ChartWindow = StartedWindow;

TEST_F(ChartWindow, OpensOverBlackWithEveryOtherCommandDisabledAndClosesAsItWas) {
    EXPECT_FALSE(ui.Istogramma->isEnabled()); // the start view was not computed by View

    click(ui.View);
    ASSERT_TRUE(ui.Istogramma->isEnabled());
    const QImage picture = ui.sfondo->image();
    const Commands ready = enabledCommands(core);

    click(ui.Istogramma);
    EXPECT_EQ(ui.Istogramma->text(), "Esci");
    EXPECT_EQ(enabledCommands(core), Commands{"Istogramma"});
    // What the screen shows: the black picture with the bars above it.
    QImage expected = core.Black();
    const Bars bars = histogramBars(core.Frequenze(), core.IterEffettive(), core.ColoreIter());
    paintBars(expected, bars);
    EXPECT_EQ(ui.sfondo->image(), core.Black());
    EXPECT_EQ(ui.sfondo->composed(), expected);
    // Limit 100: the samples that never escaped stand green in column 100.
    EXPECT_EQ(ui.sfondo->composed().pixel(100, 721), qRgb(0, 255, 0));
    EXPECT_EQ(ui.sfondo->overlays().histogramBars[100].colour, QColor(0, 255, 0));

    click(ui.Istogramma);
    EXPECT_EQ(ui.Istogramma->text(), "Istogramma");
    EXPECT_EQ(ui.sfondo->image(), picture);
    EXPECT_EQ(ui.sfondo->composed(), picture);
    EXPECT_EQ(enabledCommands(core), ready);
    EXPECT_EQ(w->recent().NumUltime(), 2);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(ChartWindow, UnavailableOnPicturesThatNoRunOfViewMade) {
    click(ui.View);
    ASSERT_TRUE(ui.Istogramma->isEnabled());
    // Back to "Z": the stored start view.
    click(ui.Griglia);
    click(ui.Copia);
    EXPECT_FALSE(ui.Istogramma->isEnabled());
    click(ui.Griglia); // the grid on and off again
    click(ui.Griglia);
    EXPECT_FALSE(ui.Istogramma->isEnabled());
    click(ui.Istogramma);
    EXPECT_EQ(ui.Istogramma->text(), "Istogramma");
    EXPECT_EQ(ui.sfondo->image(), core.Z());
}
