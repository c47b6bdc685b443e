// The places the user keeps, the recent pictures and the exported pictures,
// also at any size.
#include "model/explorer.h"

#include "io/export.h"

namespace quorvane {

void Explorer::loadLibrary(const QString& folder, bool usable, const QString& exports) {
    offer(true, [&] { notices << places.load(folder, usable, exports); });
}

void Explorer::savePlace() {
    offer(commands().Salva, [&] {
        notices << places.save(pictures.current(), colours.iterMax(), colours.automatic());
    });
}

// Once the user has stepped away, the place prepared is offered again:
// "Attiva" restores its stored limit and colouring without a run.
void Explorer::stepPlace(int index) {
    offer(commands().SelSave[std::size_t(index)], [&] {
        places.step(index);
        where.forgetPlace();
    });
}

// The chosen place becomes the view described and the next run's, over a
// blank screen; the picture that was on the screen stays among the recent
// ones under its own name.
void Explorer::activatePlace() {
    const auto area = places.chosenArea();
    offer(area && commands().Carica, [&] {
        const Place place = *places.places().chosenPlace();
        pictures.push();
        where.describe(*area, Origin::Place, places.chosenThumbnail());
        where.preparePlace(place.name);
        colours.takePlace(place.iter, place.autoColor != 0);
        showBlank();
    });
}

void Explorer::deletePlace() {
    offer(commands().Elimina, [&] { notices << places.remove(); });
}

void Explorer::browse(int index) {
    offer(commands().SelImage[std::size_t(index)], [&] {
        if (mainMode == MainMode::Browsing)
            pictures.step(index);
        else if (pictures.startBrowsing())
            mainMode = MainMode::Browsing;
    });
}

// The browsed picture stays on the screen and becomes the view described and
// the next run's.
void Explorer::activateRecent() {
    offer(commands().AttSel, [&] {
        const Picture picked = pictures.browsed();
        mainMode = MainMode::Ready;
        where.describe(picked.view.name, Origin::Recent, blankIcon);
        pictures.show(picked);
        pictures.push();
        pictures.endBrowsing();
    });
}

void Explorer::endBrowsing() {
    offer(commands().EndSel, [&] {
        mainMode = MainMode::Ready;
        pictures.endBrowsing();
    });
}

void Explorer::exportArea() {
    offer(commands().SalvaFile, [&] {
        const Picture& main = pictures.current();
        notices << places.exportPicture(main, areaExportName(main.name()));
    });
}

void Explorer::exportJulia() {
    const auto& picture = juliaMode.state().picture;
    offer(commands().SalvaJulia && picture, [&] {
        const QString failure =
            places.exportPicture(*picture, juliaExportName(juliaMode.filesExported()));
        if (failure.isEmpty())
            juliaMode.exported();
        notices << failure;
    });
}

std::optional<ExportRequest> Explorer::exportRequest() const {
    if (!commands().Esporta)
        return std::nullopt;
    return exportRequestFor(*exportablePicture(mainMode, pictures, juliaMode), places.exportsTo(),
                            juliaMode.filesExported());
}

// An export is work like a run. A Julia picture exported under the name
// "File" would give it next takes that number, as "File" does.
void Explorer::useExports(PictureExport& exporter) {
    exports = &exporter;
    connect(exports, &PictureExport::started, this, [this] {
        currentWork = Work::Export;
        announce();
    });
    connect(exports, &PictureExport::ended, this, [this](const RunOutcome& outcome) {
        currentWork = Work::None;
        if (outcome.status == RunStatus::Complete && mainMode == MainMode::Julia &&
            isJuliaFile(exports->file(), places.exportsTo(), juliaMode.filesExported()))
            juliaMode.exported();
        workEnded();
    });
}

} // namespace quorvane
