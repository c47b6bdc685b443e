#include "steps.h"

#include "model/thumbnails.h"
#include "window/sfondo.h"

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

Commands enabledCommands(const ViewCore& core) {
    Commands names;
    for (const auto& [control, ready] : core.readyState())
        if (control->isEnabled())
            names.insert(control->objectName().toStdString());
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
    const auto& table = w.core().Tavola();
    int mismatches = 0;
    for (int c = 0; c < 724; ++c)
        for (int r = 0; r < 724; ++r)
            mismatches += picture.pixel(c, r) !=
                          toQRgb(palette[std::size_t(table[std::size_t(c) * 724 + r])]);
    return mismatches;
}

} // namespace quorvane::testing
