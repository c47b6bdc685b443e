// The window read by eye and by a screen reader: numbers shown whole, arrows
// that look disabled, labels that stand apart, a name of its own for every
// control, and on a screen that holds it the window as it was laid out.
#include "colours/colourwindow.h"
#include "model/numbertext.h"
#include "steps.h"
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

#include <algorithm>

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

// Where the label of frame reading text paints it, in the frame's coordinates.
QRect labelText(QWidget* frame, const QString& text) {
    for (QLabel* l : frame->findChildren<QLabel*>())
        if (l->text() == text)
            return l->style()
                ->itemTextRect(l->fontMetrics(), l->contentsRect(), int(l->alignment()), true, text)
                .translated(l->mapTo(frame, QPoint(0, 0)));
    ADD_FAILURE() << "no label " << text.toStdString();
    return {};
}

// What a screen reader says a control is.
QString spoken(QWidget* control) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    return a ? a->text(QAccessible::Name) : QString();
}

// The control shows text itself, or a label beside it does.
bool shownAs(QWidget* control, const QString& text) {
    if (const auto* b = qobject_cast<QAbstractButton*>(control); b && b->text() == text)
        return true;
    if (const auto* g = qobject_cast<QGroupBox*>(control); g && g->title() == text)
        return true;
    const auto beside = control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    return std::any_of(beside.begin(), beside.end(),
                       [&](const QLabel* l) { return l->text() == text; });
}

} // namespace

TEST_F(Readable, TheJuliaBoxesShowTheConstantToItsLastDigit) {
    click(ui.Julia);
    // The longest texts a constant can have: fifteen digits after zeros,
    // or with an exponent, and a sign.
    for (double part : {-0.000123456789012345, -1.23456789012345e-05, -1.74999999999999})
        for (QLineEdit* box : {ui.XXJU, ui.YYJU}) {
            const QString text = numberText(part);
            showText(box, text);
            const QImage whole = shot(box);
            showText(box, text.chopped(1));
            EXPECT_NE(shot(box), whole)
                << box->objectName().toStdString() << " hides the end of " << text.toStdString();
        }
}

TEST_F(Readable, ArrowButtonsLookDisabledLikeTheOtherButtons) {
    ui.Lettere[0]->setEnabled(false);
    const int disabledCaption = darkestGrey(ui.Lettere[0]);
    std::vector<QPushButton*> arrows(ui.Mezzo.begin(), ui.Mezzo.end());
    arrows.insert(arrows.end(), {ui.SelSave[0], ui.SelSave[1], ui.SelImage[0], ui.SelImage[1]});
    for (QPushButton* arrow : arrows) {
        arrow->setEnabled(true);
        EXPECT_LT(darkestGrey(arrow), 64) << arrow->objectName().toStdString();
        arrow->setEnabled(false);
        EXPECT_GE(darkestGrey(arrow), disabledCaption - 8) << arrow->objectName().toStdString();
    }
}

TEST_F(Readable, LabelsSideBySideStandApart) {
    const struct {
        QWidget* frame;
        const char* left;
        const char* right;
    } pairs[] = {{ui.frameIterazioni, "Impostate", "Effettive"},
                 {ui.frameLimiti, "Denominazione area", "Zoom"}};
    for (const auto& [frame, left, right] : pairs) {
        const int gap = labelText(frame, right).left() - labelText(frame, left).right();
        // Two letters' room at least: more than the space between two words.
        EXPECT_GE(gap, frame->fontMetrics().horizontalAdvance("MM")) << left << " " << right;
    }
}

TEST_F(Readable, EveryControlHasANameOfItsOwnThatSaysWhatItShows) {
    std::vector<QWidget*> controls;
    for (QWidget* windowOf : {static_cast<QWidget*>(w.get()), static_cast<QWidget*>(w->colori())})
        for (QWidget* c : windowOf->findChildren<QWidget*>())
            if (!c->objectName().isEmpty() && !c->objectName().startsWith("qt_"))
                controls.push_back(c);
    const auto check = [&](const char* situation) {
        SCOPED_TRACE(situation);
        QStringList commands;
        for (QWidget* c : controls) {
            const std::string name = c->objectName().toStdString();
            const QString said = spoken(c);
            EXPECT_FALSE(said.isEmpty()) << name;
            // The name in the code means nothing to the user.
            EXPECT_TRUE(said != c->objectName() || shownAs(c, said))
                << name << " is announced by its name in the code";
            auto* command = qobject_cast<QAbstractButton*>(c);
            if (!command || !c->isVisibleTo(c->window()))
                continue;
            // Said as it reads, so that a voice command can name it.
            const QString caption = command->text().remove('&');
            EXPECT_TRUE(said.contains(caption)) << name << ": " << said.toStdString();
            commands << said;
        }
        QStringList twice = commands;
        twice.removeDuplicates();
        for (const QString& once : twice)
            commands.removeOne(once);
        EXPECT_TRUE(commands.isEmpty()) << "announced alike: " << commands.join(", ").toStdString();
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
    const QRect screen = w->screen()->availableGeometry();
    ASSERT_TRUE(screen.contains(w->frameGeometry())) << "the window tests need a larger screen";
    EXPECT_EQ(w->size(), QSize(945, 727));
    // The 724 x 724 picture in its 2-pixel border, in the corner.
    EXPECT_EQ(ui.sfondo->mapTo(w.get(), QPoint(0, 0)), QPoint(0, 0));
    EXPECT_EQ(ui.sfondo->size(), QSize(728, 728));
    EXPECT_EQ(ui.Esci->mapTo(w.get(), QPoint(0, 0)), QPoint(877, 652));
    for (const QScrollBar* bar : w->findChildren<QScrollBar*>())
        EXPECT_FALSE(bar->isVisible());
}
