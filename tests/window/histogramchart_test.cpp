// The histogram driven through "Istogramma" on the real window.
#include "domain/histogram.h"
#include "steps.h"
#include "window/sfondo.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::testing;

using ChartWindow = StartedWindow;

TEST_F(ChartWindow, OpensOverBlackWithEveryOtherCommandDisabledAndClosesAsItWas) {
    click(ui.View);
    ASSERT_TRUE(ui.Istogramma->isEnabled());
    const QImage picture = ui.sfondo->image();
    const Commands ready = enabledCommands(ui);

    click(ui.Istogramma);
    EXPECT_EQ(ui.Istogramma->text(), "Esci");
    EXPECT_EQ(enabledCommands(ui), Commands{"Istogramma"});
    // What the screen shows: the black picture with the bars above it.
    QImage black(724, 724, QImage::Format_RGB32);
    black.fill(Qt::black);
    QImage expected = black;
    const Bars bars = histogramBars((*model.history().table().frequencies),
                                    model.history().table().limit, (*model.colouring().palette()));
    paintBars(expected, bars);
    EXPECT_EQ(ui.sfondo->image(), black);
    EXPECT_EQ(ui.sfondo->composed(), expected);
    // Limit 100: the samples that never escaped stand green in column 100.
    EXPECT_EQ(ui.sfondo->composed().pixel(100, 721), qRgb(0, 255, 0));
    EXPECT_EQ(ui.sfondo->overlays().histogramBars[100].colour, QColor(0, 255, 0));

    click(ui.Istogramma);
    EXPECT_EQ(ui.Istogramma->text(), "Istogramma");
    EXPECT_EQ(ui.sfondo->image(), picture);
    EXPECT_EQ(ui.sfondo->composed(), picture);
    EXPECT_EQ(enabledCommands(ui), ready);
    EXPECT_EQ(ui.LastImage->text(), "0/1");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(ChartWindow, UnavailableOnPicturesWhoseCountsAreNotHeld) {
    click(ui.View);
    ASSERT_TRUE(ui.Istogramma->isEnabled());
    // Back to "Z": the stored start view, whose counts the run replaced.
    click(ui.Griglia);
    click(ui.Copia);
    EXPECT_FALSE(ui.Istogramma->isEnabled());
    click(ui.Griglia); // the grid on and off again
    click(ui.Griglia);
    EXPECT_FALSE(ui.Istogramma->isEnabled());
    click(ui.Istogramma);
    EXPECT_EQ(ui.Istogramma->text(), "Istogramma");
    EXPECT_EQ(ui.sfondo->image(), model.history().startView()->image);
}
