#include "model/colouring.h"

#include "domain/numbertext.h"
#include "domain/painting.h"

#include <cmath>

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

bool Colouring::setTyped(const QString& typed) {
    const double value = typedNumber(typed);
    // Compare before converting: a huge value must not overflow an int.
    if (!(value >= 20.0))
        setLimit(20);
    else if (std::trunc(value) > 32767.0)
        setLimit(32767);
    else
        setLimit(int(std::trunc(value)));
    return value >= 20.0 && std::trunc(value) <= 32767.0;
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

Painting Colouring::paint(const std::vector<std::int16_t>& counts) {
    auto frequencies = std::make_shared<Frequencies>();
    countSamples(counts, limit, *frequencies);
    auto palette = paletteFor(*frequencies);
    return {paintCounts(counts, *palette, limit), std::move(frequencies), std::move(palette),
            limit};
}

} // namespace quorvane
