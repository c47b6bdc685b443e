// The window on a screen smaller than its layout, as a 1920 x 1080 screen is
// at a desktop scale of 2: the picture keeps its size and place, and every
// control can be scrolled into view and clicked.
#include "steps.h"
#include "window/sfondo.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::testing;

TEST(SmallScreen, EveryControlCanBeScrolledIntoViewAndClicked) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    const QRect screen = w->screen()->availableGeometry();
    ASSERT_LT(screen.height(), 727) << "this test needs a screen lower than the window";
    EXPECT_TRUE(screen.contains(w->frameGeometry()));
    // The 724 x 724 picture in its 2-pixel border, in the layout's corner.
    EXPECT_EQ(ui.sfondo->geometry(), QRect(0, 0, 728, 728));
    auto* scroller = w->findChild<QScrollArea*>();
    for (QWidget* control : w->findChildren<QWidget*>()) {
        if (!(qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) ||
            !control->isVisibleTo(w.get()))
            continue;
        const std::string name = control->objectName().toStdString();
        if (scroller)
            scroller->ensureWidgetVisible(control);
        const QPoint centre = control->mapTo(w.get(), control->rect().center());
        EXPECT_TRUE(screen.contains(w->mapToGlobal(centre))) << name << " is off the screen";
        QWidget* hit = w->childAt(centre);
        EXPECT_TRUE(hit && (hit == control || control->isAncestorOf(hit)))
            << name << " is hidden by " << (hit ? hit->objectName().toStdString() : "nothing");
    }
    // Scrolled to the bottom, "Esci" takes a click and ends the program.
    ASSERT_NE(scroller, nullptr);
    scroller->ensureWidgetVisible(ui.Esci);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {},
                      ui.Esci->mapTo(w.get(), ui.Esci->rect().center()));
    EXPECT_TRUE(waitUntil([&] { return !w->isVisible(); }));
}
