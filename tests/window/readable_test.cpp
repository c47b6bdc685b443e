// The window read by eye and by a screen reader, on a screen that holds it.
#include "domain/numbertext.h"
#include "steps.h"
#include "window/colours/colourwindow.h"
#include "window/sfondo.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

using Readable = StartedWindow;

QImage shot(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int darkestGrey(QWidget* w) {
    const QImage image = shot(w);
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

// Where a label of frame paints text, in the frame's coordinates.
QRect labelText(QWidget* frame, const QString& text) {
    for (QLabel* l : frame->findChildren<QLabel*>())
        if (l->text() == text)
            return l->style()
                ->itemTextRect(l->fontMetrics(), l->contentsRect(), int(l->alignment()), true, text)
                .translated(l->pos());
    return {};
}

} // namespace

TEST_F(Readable, NumbersShownWholeArrowsGreyedAndLabelsApart) {
    click(ui.Julia);
    // The longest constants: fifteen digits after zeros or with an exponent.
    for (const QString& text :
         {numberText(-0.000123456789012345), numberText(-1.23456789012345e-05)})
        for (QLineEdit* box : {ui.XXJU, ui.YYJU}) {
            showText(box, text);
            const QImage whole = shot(box);
            showText(box, text.chopped(1));
            EXPECT_NE(shot(box), whole) << "the last digit of " << text.toStdString() << " hidden";
        }

    ui.Lettere[0]->setEnabled(false);
    for (QPushButton* arrow : {ui.Mezzo[0], ui.Mezzo[1], ui.Mezzo[2], ui.Mezzo[3], ui.Mezzo[4],
                               ui.SelSave[0], ui.SelSave[1], ui.SelImage[0], ui.SelImage[1]}) {
        arrow->setEnabled(true);
        EXPECT_LT(darkestGrey(arrow), 64) << arrow->objectName().toStdString();
        arrow->setEnabled(false);
        EXPECT_GE(darkestGrey(arrow), darkestGrey(ui.Lettere[0]) - 8)
            << arrow->objectName().toStdString() << " looks enabled";
    }

    // More room between two labels than between two words of one.
    for (const auto& [frame, left, right] :
         {std::tuple<QWidget*, QString, QString>{ui.frameIterazioni, "Impostate", "Effettive"},
          {ui.frameLimiti, "Denominazione area", "Zoom"}})
        EXPECT_GE(labelText(frame, right).left() - labelText(frame, left).right(),
                  frame->fontMetrics().horizontalAdvance("MM"))
            << left.toStdString();
}

TEST_F(Readable, EachCommandIsAnnouncedAsItReadsAndApartFromTheOthers) {
    const auto check = [&](const char* situation) {
        QStringList said;
        for (QWidget* top : {static_cast<QWidget*>(w.get()), static_cast<QWidget*>(w->colori())})
            for (QWidget* c : top->findChildren<QWidget*>()) {
                const QString name =
                    QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
                const auto* command = qobject_cast<QAbstractButton*>(c);
                if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_")) {
                    EXPECT_FALSE(name.isEmpty()) << c->objectName().toStdString();
                }
                // What has no caption of its own is not called by its name in the code.
                if ((command && command->text().isEmpty()) ||
                    QStringList{"Sfondo", "Progress", "SaveIcona"}.contains(c->objectName())) {
                    EXPECT_NE(name, c->objectName()) << situation;
                }
                if (!command || !c->isVisibleTo(top))
                    continue;
                // As it reads, for a voice command that names it.
                EXPECT_TRUE(name.contains(command->text()))
                    << situation << ": " << name.toStdString();
                said << name;
            }
        EXPECT_EQ(said.removeDuplicates(), 0) << situation;
    };
    check("ready");
    press(ui, "#");
    check("grid on");
    press(ui, "#");
    click(ui.Istogramma);
    check("histogram shown");
    click(ui.Istogramma);
    click(ui.Julia);
    check("Julia mode");
}

TEST_F(Readable, OnAScreenThatHoldsItTheWindowIsItsLayoutWithoutScrollBars) {
    ASSERT_TRUE(w->screen()->availableGeometry().contains(w->frameGeometry()));
    EXPECT_EQ(w->size(), QSize(945, 727));
    EXPECT_EQ(ui.Esci->mapTo(w.get(), QPoint(0, 0)), QPoint(877, 652));
    for (const QScrollBar* bar : w->findChildren<QScrollBar*>())
        EXPECT_FALSE(bar->isVisible());
}
