#include "window/navigation/gridpanel.h"

#include "model/explorer.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

GridPanel::GridPanel(Explorer& explorer, const GridControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.Griglia, &QPushButton::clicked, this, &GridPanel::Griglia_Click);
    for (int i = 0; i < 25; ++i)
        connect(ui.Lettere[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { Lettere_Click(i); });
    for (int i = 0; i < 5; ++i)
        connect(ui.Mezzo[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { Mezzo_Click(i); });
    connect(ui.MenoUna, &QPushButton::clicked, this, &GridPanel::MenoUna_Click);
    connect(ui.Copia, &QPushButton::clicked, this, &GridPanel::Copia_Click);
    connect(&model, &Explorer::changed, this, &GridPanel::render);
    render();
    QCoreApplication::instance()->installEventFilter(this);
}

std::pair<QPushButton*, std::function<void()>> GridPanel::keyCommand(int key,
                                                                     Qt::KeyboardModifiers m) {
    const bool plain = (m & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
    if (!plain)
        return {};
    if (key >= Qt::Key_A && key <= Qt::Key_Y && !(m & Qt::KeypadModifier)) {
        const int index = key - Qt::Key_A;
        return {ui.Lettere[std::size_t(index)], [this, index] { Lettere_Click(index); }};
    }
    const auto shift = [this](int index) -> std::pair<QPushButton*, std::function<void()>> {
        return {ui.Mezzo[std::size_t(index)], [this, index] { Mezzo_Click(index); }};
    };
    switch (key) {
    case Qt::Key_Right:
        return shift(0);
    case Qt::Key_Down:
        return shift(1);
    case Qt::Key_Left:
        return shift(2);
    case Qt::Key_Up:
        return shift(3);
    case Qt::Key_Home:
    case Qt::Key_Clear: // the keypad's 5 without Num Lock
        return shift(4);
    case Qt::Key_5:
        return m & Qt::KeypadModifier ? shift(4) : std::pair<QPushButton*, std::function<void()>>{};
    case Qt::Key_Backspace:
        return {ui.MenoUna, [this] { MenoUna_Click(); }};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {ui.Copia, [this] { Copia_Click(); }};
    case Qt::Key_Escape:
        return {ui.Griglia, [this] { Griglia_Click(); }};
    default:
        return {};
    }
}

bool GridPanel::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* target = qobject_cast<QWidget*>(watched);
    if (model.mode() != MainMode::Grid || !target ||
        target->window() != ui.frameSelezione->window())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto [button, handler] = keyCommand(key->key(), key->modifiers());
    if (!button)
        return false;
    // The key is the grid's, even where its button is not offered now.
    event->accept();
    if (press && button->isEnabled())
        handler();
    return true;
}

void GridPanel::Griglia_Click() {
    model.toggleGrid();
}

void GridPanel::Lettere_Click(int index) {
    model.chooseLetter(index);
}

void GridPanel::Mezzo_Click(int index) {
    model.moveGrid(index);
}

void GridPanel::MenoUna_Click() {
    model.cutOne();
}

void GridPanel::Copia_Click() {
    model.confirmSelection();
}

void GridPanel::render() {
    const bool on = model.mode() == MainMode::Grid;
    ui.Griglia->setText(on ? QStringLiteral("OFF") : QStringLiteral("ON"));
    ui.Griglia->setAccessibleName(on ? QStringLiteral("OFF: spegne la griglia")
                                     : QStringLiteral("ON: accende la griglia"));
    // The selection being built while the grid is on; else a confirmed one.
    const Navigator& where = model.navigator();
    showText(ui.Riquadro, on ? where.selection().fragment : where.pending().fragment);
}

} // namespace quorvane
