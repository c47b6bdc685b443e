// The colouring of the next picture: the iteration limit, the automatic
// colouring, the ramp, and the palette built from them. The palette is
// rebuilt at the first picture after its basis changed: a limit set, the
// colouring chosen, the start view restored, a place activated, or a view
// chosen that must not be painted with the last picture's palette (a
// confirmed selection, a Julia run). Each such event starts a new basis;
// the palette remembers the basis it was built for, so an automatic palette
// is kept for the next picture until one of them happens.
#pragma once

#include "domain/palette.h"
#include "model/picture.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace quorvane {

class Colouring : public QObject {
    Q_OBJECT
  public:
    explicit Colouring(QObject* parent = nullptr);

    // Builds the ramp, handing each colour to onColour as it is computed.
    void buildRamp(const std::function<void(int, Colore)>& onColour = {});

    int iterMax() const { return limit; }
    bool automatic() const { return automaticColours; }
    const Ramp& ramp() const { return rampa; }
    // The palette last built; shared, it never changes once built.
    const std::shared_ptr<const Palette>& palette() const { return colours; }
    // The palette fits the basis: the next picture is painted with it as it is.
    bool currentForNextRun() const { return builtFor == basis; }

    // The limit of the next run, whatever it was before (also the same one).
    void setLimit(int n);
    // The limit as the user typed it, brought within 20..32767: false when
    // it had to be (the user hears a beep).
    bool setTyped(const QString& typed);
    void setAutomatic(bool on);
    // The start view's colouring: limit 100, linear, the palette built at once.
    void restart(const Frequencies& frequencies);
    // An activated place's limit and colouring.
    void takePlace(int limit, bool automatic);
    // A view was chosen whose picture gets a palette of its own.
    void viewChosen();

    // The palette for a picture of these counts: the one there is while it
    // fits the basis, else one built now.
    std::shared_ptr<const Palette> paletteFor(const Frequencies& frequencies);
    // The counts [column * 724 + row] counted and painted through paletteFor.
    Painting paint(const std::vector<std::int16_t>& counts);

  signals:
    // The iteration limit was set: the box of the limit shows it, whatever
    // was typed there.
    void limitSet();

  private:
    void newBasis() { ++basis; }

    int limit = 100;
    bool automaticColours = false;
    Ramp rampa{};
    std::shared_ptr<const Palette> colours;
    unsigned basis = 1;
    unsigned builtFor = 0;
};

} // namespace quorvane
