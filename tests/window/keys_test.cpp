// The window for a desktop user: Qt's standard buttons in Italian, a tooltip
// on every control, F1 for the guide, and keys for the grid's buttons.
#include "italian.h"
#include "steps.h"
#include "window/colours/colourwindow.h"
#include "window/helpwindow.h"
#include "window/italiantexts.h"
#include "window/platform.h"
#include "window/sfondo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

// The texts of the buttons of the question box, read while it is open.
QStringList questionButtons() {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* b : box->buttons())
            texts << b->text().remove('&');
        box->button(QMessageBox::No)->click();
    });
    Platform().question(nullptr, "Continuare?");
    texts.sort();
    return texts;
}

using Keys = StartedWindow;

// What the grid shows of a selection.
QStringList gridState(const Controls& ui, const Explorer& model) {
    return {ui.Griglia->text(),
            ui.Riquadro->text(),
            QString::number(int(model.navigator().selection().stage)),
            QString::number(model.navigator().selection().shift.spostaX),
            QString::number(model.navigator().selection().shift.spostaY),
            QString::number(model.navigator().selection().shift.affinaX)};
}

} // namespace

TEST_F(ItalianDesktop, TheStandardButtonsSpeakItalianWhateverTheLocale) {
    ASSERT_TRUE(installItalianTexts(*qApp));
    EXPECT_EQ(questionButtons(), QStringList({"No", "Sì"}));
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(questionButtons(), QStringList({"No", "Sì"}));
}

TEST_F(Keys, EveryButtonCheckBoxAndBoxSaysWhatItDoes) {
    QStringList without;
    for (QWidget* control : w->findChildren<QWidget*>())
        if ((qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) &&
            control->toolTip().isEmpty())
            without << control->objectName();
    EXPECT_EQ(without, QStringList());
    // The File buttons name the folder they write into in full.
    const QString exports = QDir::toNativeSeparators(folder.file("Immagini"));
    EXPECT_TRUE(ui.SalvaFile->toolTip().endsWith(exports)) << ui.SalvaFile->toolTip().toStdString();
    EXPECT_TRUE(ui.SalvaJulia->toolTip().endsWith(exports));
}

TEST_F(Keys, FOneOpensTheGuideInEveryModeWithTheRealFolders) {
    for (QAbstractButton* mode :
         std::initializer_list<QAbstractButton*>{nullptr, ui.Julia, ui.Griglia}) {
        if (mode)
            click(mode);
        QTest::keyClick(w.get(), Qt::Key_F1);
        ASSERT_NE(w->help(), nullptr);
        EXPECT_TRUE(w->help()->isVisible());
        EXPECT_FALSE(w->help()->isModal());
        w->help()->hide();
        if (mode)
            click(mode);
    }
    const QString text = w->help()->text();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(folder.file("BeiLuoghi"))));
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(folder.file("Immagini"))));
    EXPECT_TRUE(text.contains("Versione"));
}

TEST_F(Keys, TheGuideClosesWithEscapeOrItsButton) {
    for (const bool byKey : {true, false}) {
        QTest::keyClick(w.get(), Qt::Key_F1);
        ASSERT_TRUE(w->help() && w->help()->isVisible());
        auto* chiudi = w->help()->findChild<QPushButton*>("Chiudi");
        ASSERT_TRUE(chiudi && chiudi->text() == "Chiudi");
        if (byKey)
            QTest::keyClick(w->help()->findChild<QWidget*>("GuidaTesto"), Qt::Key_Escape);
        else
            QTest::mouseClick(chiudi, Qt::LeftButton);
        EXPECT_FALSE(w->help()->isVisible()) << byKey;
    }
}

TEST_F(Keys, WhileTheGridIsOnEachKeyDoesWhatItsButtonDoes) {
    // The key, and the button it stands for, pressed from the same state.
    const struct {
        const char* before;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* button;
    } cases[] = {
        {"#", Qt::Key_M, {}, "M"},         {"#M", Qt::Key_K, {}, "K"},
        {"#", Qt::Key_Right, {}, "0"},     {"#", Qt::Key_Down, {}, "1"},
        {"#0", Qt::Key_Left, {}, "2"},     {"#M", Qt::Key_Up, {}, "3"},
        {"#00", Qt::Key_Home, {}, "4"},    {"#33", Qt::Key_5, Qt::KeypadModifier, "4"},
        {"#M", Qt::Key_Return, {}, "!"},   {"#", Qt::Key_Escape, {}, "#"},
        {"#MK", Qt::Key_A, {}, "A"},       // both letters chosen: the letter is not offered
        {"#", Qt::Key_Backspace, {}, "-"}, // the start view has nothing to cut
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " then " + c.button);
        press(ui, c.before);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), c.key,
                        c.modifiers);
        const QStringList byKey = gridState(ui, model);
        const QString pendingByKey = ui.Riquadro->text();
        if (model.mode() == MainMode::Grid)
            press(ui, "#");
        press(ui, c.before);
        press(ui, c.button);
        EXPECT_EQ(byKey, gridState(ui, model));
        EXPECT_EQ(pendingByKey, ui.Riquadro->text());
        if (model.mode() == MainMode::Grid)
            press(ui, "#");
    }
    EXPECT_EQ(platform.messages, QStringList());

    // With the grid off the keys reach the focused box: a letter is typed
    // there, and Enter in "Impostate" is ">>".
    ui.Iterazioni[1]->setFocus();
    ui.Iterazioni[1]->clear();
    QTest::keyClicks(ui.Iterazioni[1], "25A");
    EXPECT_EQ(ui.Iterazioni[1]->text(), "25A");
    EXPECT_NE(model.mode(), MainMode::Grid);
    QTest::keyClick(ui.Iterazioni[1], Qt::Key_Backspace);
    QTest::keyClicks(ui.Iterazioni[1], "0");
    QTest::keyClick(ui.Iterazioni[1], Qt::Key_Return);
    EXPECT_EQ(model.colouring().iterMax(), 250);
}

TEST_F(Keys, EscapeAndEnterCloseTheColourWindowAndTabSkipsWhatOnlyShows) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        click(ui.Colors);
        ASSERT_TRUE(w->colori()->isVisible());
        QTest::keyClick(w->colori(), key);
        EXPECT_FALSE(w->colori()->isVisible()) << key;
        EXPECT_TRUE(w->isEnabled()) << key;
    }

    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ui.Iterazioni[1]->setFocus();
    QStringList visited;
    for (int i = 0; i < 80; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (box && box->isReadOnly())
            visited << box->objectName();
    }
    EXPECT_EQ(visited, QStringList());
    EXPECT_EQ(ui.Riquadro->focusPolicy(), Qt::ClickFocus); // a click still selects to copy
}
