#include "model/colouring.h"

namespace quorvane {

Colouring::Colouring(QObject* parent) : QObject(parent) {
    auto none = std::make_shared<Palette>();
    none->fill(0);
    colours = std::move(none);
}

void Colouring::buildRamp(const std::function<void(int, Colore)>& onColour) {
    rampa = rampColours(Nero, onColour);
}

void Colouring::setLimit(int n) {
    limit = n;
    newBasis();
    emit limitSet();
}

void Colouring::setAutomatic(bool on) {
    automaticColours = on;
    newBasis();
}

void Colouring::restart(const Frequencies& frequencies) {
    automaticColours = false;
    setLimit(100);
    paletteFor(frequencies);
}

void Colouring::takePlace(int placeLimit, bool automatic) {
    automaticColours = automatic;
    setLimit(placeLimit);
}

void Colouring::viewChosen() {
    newBasis();
}

std::shared_ptr<const Palette> Colouring::paletteFor(const Frequencies& frequencies) {
    if (builtFor != basis) {
        auto built = std::make_shared<Palette>();
        fillPalette(automaticColours, limit, frequencies, rampa, *built);
        colours = std::move(built);
        builtFor = basis;
    }
    return colours;
}

} // namespace quorvane
