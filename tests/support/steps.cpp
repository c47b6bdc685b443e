#include "steps.h"

#include "domain/thumbnails.h"
#include "window/sfondo.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane::testing {

void press(const Controls& ui, const char* keys) {
    for (const char* k = keys; *k; ++k) {
        if (*k >= 'A' && *k <= 'Y')
            click(ui.Lettere[std::size_t(*k - 'A')]);
        else if (*k >= '0' && *k <= '4')
            click(ui.Mezzo[std::size_t(*k - '0')]);
        else
            click(*k == '#' ? ui.Griglia : *k == '-' ? ui.MenoUna : *k == '!' ? ui.Copia : ui.View);
    }
}

void setLimit(const Controls& ui, const QString& text) {
    ui.Iterazioni[1]->setText(text);
    click(ui.IterazOK);
}

Commands enabledCommands(const Controls& ui) {
    CommandStates every;
    every.Lettere.fill(true);
    every.Mezzo.fill(true);
    every.SelImage.fill(true);
    every.SelSave.fill(true);
    for (bool CommandStates::*single :
         {&CommandStates::Griglia,     &CommandStates::MenoUna,     &CommandStates::Copia,
          &CommandStates::Iterazioni1, &CommandStates::IterazOK,    &CommandStates::Istogramma,
          &CommandStates::View,        &CommandStates::Ferma,       &CommandStates::AutoColor,
          &CommandStates::Colors,      &CommandStates::Esci,        &CommandStates::Julia,
          &CommandStates::JuliaGo,     &CommandStates::StopJulia,   &CommandStates::SalvaJulia,
          &CommandStates::Traccia,     &CommandStates::StopTraccia, &CommandStates::Sfondo,
          &CommandStates::EndSel,      &CommandStates::AttSel,      &CommandStates::Salva,
          &CommandStates::SalvaFile,   &CommandStates::Elimina,     &CommandStates::Carica,
          &CommandStates::Esporta})
        every.*single = true;
    Commands names;
    for (const QString& name : every.enabled()) {
        const auto* control = ui.window->findChild<QWidget*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        if (control && control->isEnabled())
            names.insert(name.toStdString());
    }
    return names;
}

Commands readyWith(std::initializer_list<std::string> more) {
    Commands names{"Griglia",   "Iterazioni(1)", "IterazOK", "View",
                   "AutoColor", "Colors",        "Esci",     "Julia"};
    names.insert(more);
    return names;
}

int pixelsNotPainted(const MainWindow& w, const Palette& palette) {
    const QImage& picture = w.controls().sfondo->image();
    const auto& table = w.explorer().history().table().counts;
    int mismatches = 0;
    for (int c = 0; c < 724; ++c)
        for (int r = 0; r < 724; ++r)
            mismatches += picture.pixel(c, r) !=
                          toQRgb(palette[std::size_t(table[std::size_t(c) * 724 + r])]);
    return mismatches;
}

void StartedWindow::prepare(bool jobsKept, const QByteArray& list) {
    if (jobsKept)
        keepJobs(folder);
    if (list.isEmpty())
        return;
    QDir().mkpath(folder.file("BeiLuoghi"));
    QFile file(folder.file("BeiLuoghi/BeiLuoghi.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(list) == list.size());
}

QImage blackPicture() {
    QImage black(724, 724, QImage::Format_RGB32);
    black.fill(Qt::black);
    return black;
}

} // namespace quorvane::testing
