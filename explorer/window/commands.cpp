// The iteration limit, the colouring commands, the palette and the wiring of
// every button to its handler.
#include "colours/colourwindow.h"
#include "window/mainwindow.h"
#include "window/numbertext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace quorvane {

void MainWindow::IterazOK_Click() {
    const double value = leadingNumber(Iterazioni[1]->text());
    // Compare before converting: a huge value must not overflow an int.
    int n;
    if (!(value >= 20.0)) {
        platform.beep();
        n = 20;
    } else if (std::trunc(value) > 32767.0) {
        platform.beep();
        n = 32767;
    } else {
        n = int(std::trunc(value));
    }
    Iterazioni[0]->setText(QString::number(n));
    Iterazioni[1]->setText(QString::number(n));
    IterMax = n;
    setTag(AutoColor, QStringLiteral("False"));
}

void MainWindow::AutoColor_Click() {
    setTag(AutoColor, QStringLiteral("False"));
}

void MainWindow::CreaRampa() {
    Colori* window = coloriWindow.get();
    window->show();
    const auto ramp = quorvane::CreaRampa(
        Nero, [window](int index, Colore colour) { window->setLineColour(index, colour); });
    std::copy(ramp.begin(), ramp.end(), Rampa.begin());
    window->hide();
}

void MainWindow::Colora() {
    if (tagIsTrue(AutoColor))
        return;
    quorvane::Colora(AutoColor->isChecked(), IterMax, Frequenze, Rampa, ColoreIter);
    setTag(AutoColor, QStringLiteral("True"));
}

void MainWindow::wireHandlers() {
    connect(View, &QPushButton::clicked, this, [this] { View_Click(); });
    connect(Ferma, &QPushButton::clicked, this, [this] { Ferma_Click(); });
    connect(IterazOK, &QPushButton::clicked, this, [this] { IterazOK_Click(); });
    connect(AutoColor, &QCheckBox::clicked, this, [this] { AutoColor_Click(); });
    connect(Colors, &QPushButton::clicked, this, [this] { Colors_Click(); });
    connect(Esci, &QPushButton::clicked, this, [this] { Esci_Click(); });
    wireNavigation();
}

} // namespace quorvane
