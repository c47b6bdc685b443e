// The places the user keeps, the recent pictures and the exported pictures.
#include "model/explorer.h"

#include "io/export.h"

namespace quorvane {

void Explorer::loadLibrary(const QString& folder, bool usable, const QString& exports) {
    tell(places.load(folder, usable, exports));
    announce();
}

void Explorer::savePlace() {
    if (!commands().Salva)
        return;
    tell(places.save(pictures.current(), colours.iterMax(), colours.automatic()));
    announce();
}

void Explorer::stepPlace(int index) {
    if (!commands().SelSave[std::size_t(index)])
        return;
    places.step(index);
    // Once the user has stepped away, the place prepared is offered again:
    // "Attiva" restores its stored limit and colouring without a run.
    where.forgetPlace();
    announce();
}

// The chosen place becomes the view described and the next run's, over a
// blank screen; the picture that was on the screen stays among the recent
// ones under its own name.
void Explorer::activatePlace() {
    const auto area = places.chosenArea();
    if (!area || !commands().Carica)
        return;
    const Place place = *places.places().chosenPlace();
    pictures.push();
    where.describe(*area, Origin::Place, places.chosenThumbnail());
    where.preparePlace(place.name);
    colours.takePlace(place.iter, place.autoColor != 0);
    showBlank();
    announce();
}

void Explorer::deletePlace() {
    if (!commands().Elimina)
        return;
    tell(places.remove());
    announce();
}

// ---- Recent pictures ----------------------------------------------------

void Explorer::browse(int index) {
    if (!commands().SelImage[std::size_t(index)])
        return;
    if (mainMode == MainMode::Ready) {
        if (!pictures.startBrowsing())
            return;
        mainMode = MainMode::Browsing;
    } else if (mainMode == MainMode::Browsing) {
        pictures.step(index);
    }
    announce();
}

// The browsed picture stays on the screen and becomes the view described and
// the next run's.
void Explorer::activateRecent() {
    if (!commands().AttSel)
        return;
    const Picture picked = pictures.browsed();
    mainMode = MainMode::Ready;
    where.describe(picked.view.name, Origin::Recent, blankIcon);
    pictures.show(picked);
    pictures.push();
    pictures.endBrowsing();
    announce();
}

void Explorer::endBrowsing() {
    if (!commands().EndSel)
        return;
    mainMode = MainMode::Ready;
    pictures.endBrowsing();
    announce();
}

// ---- Export -------------------------------------------------------------

void Explorer::exportArea() {
    if (!commands().SalvaFile)
        return;
    const Picture& main = pictures.current();
    tell(places.exportPicture(main, areaExportName(main.name())));
    announce();
}

void Explorer::exportJulia() {
    const auto& picture = juliaMode.state().picture;
    if (!commands().SalvaJulia || !picture)
        return;
    const QString failure =
        places.exportPicture(*picture, juliaExportName(juliaMode.filesExported()));
    if (failure.isEmpty())
        juliaMode.exported();
    tell(failure);
    announce();
}

} // namespace quorvane
