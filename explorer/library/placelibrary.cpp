#include "library/placelibrary.h"

#include "library/recentpictures.h"
#include "window/platform.h"
#include "window/sfondo.h"
#include "window/viewcore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

PlaceLibrary::PlaceLibrary(const Controls& controls, ViewCore& viewCore,
                           RecentPictures& recentPictures, Platform& services,
                           const QString& libraryFolder)
    : ui(controls), core(viewCore), recent(recentPictures), platform(services),
      folder(libraryFolder) {}

bool PlaceLibrary::pictureSaved() const {
    return savedGeneration == core.pictureGeneration();
}

void PlaceLibrary::load(bool folderUsable) {
    library = Places();
    if (folderUsable) {
        LoadedPlaces loaded = loadPlaces(folder);
        library = std::move(loaded.places);
        if (!loaded.message.isEmpty())
            platform.message(ui.window, loaded.message);
    }
    showChosen();
}

void PlaceLibrary::showChosen() {
    const auto place = library.chosenPlace();
    const QString name = place ? place->name : QString();
    ui.SaveIcona->setPixmap(QPixmap::fromImage(loadThumbnail(folder, name, core.NoIcona())));
    ui.SaveName->setText(name);
}

void PlaceLibrary::Salva_Click() {
    if (const QString refusal = library.saveRefusal(); !refusal.isEmpty()) {
        platform.message(ui.window, refusal);
        return;
    }
    ui.Salva->setCursor(Qt::WaitCursor);
    const Place place{ui.RiquadroCorrente->text(), core.IterMax(),
                      ui.AutoColor->isChecked() ? 1 : 0};
    const QImage thumbnail = placeThumbnail(ui.sfondo->image());
    const LibraryOutcome outcome = library.save(folder, place, thumbnail);
    if (outcome.changed) {
        ui.SaveIcona->setPixmap(QPixmap::fromImage(thumbnail));
        ui.SaveName->setText(place.name);
        savedGeneration = core.pictureGeneration();
        ui.Salva->setEnabled(false);
    }
    ui.Salva->unsetCursor();
    if (!outcome.message.isEmpty())
        platform.message(ui.window, outcome.message);
}

void PlaceLibrary::SelSave_Click(int index) {
    library.select(index);
    showChosen();
    // The arrows and "Attiva" as the enabling rule has them for the new
    // choice; "Attiva" stays off over a blank picture, which it would
    // otherwise push among the recent ones.
    for (const auto& [control, ready] : core.readyState())
        if (control == ui.SelSave[0] || control == ui.SelSave[1] || control == ui.Carica)
            control->setEnabled(ready);
}

void PlaceLibrary::Carica_Click() {
    const auto place = library.chosenPlace();
    if (!place)
        return;
    core.preparePlace(place->name, ui.SaveIcona->pixmap().toImage());
    core.setIterations(place->iter, place->autoColor != 0);
    // The picture still on the screen goes to the recent pictures under the
    // activated name; the screen is blank until View computes the place.
    recent.push(ui.sfondo->image(), ui.RiquadroCorrente->text());
    core.showBlank();
    core.Sblocca();
}

void PlaceLibrary::Elimina_Click() {
    const LibraryOutcome outcome = library.remove(folder);
    if (outcome.changed)
        showChosen();
    if (!outcome.message.isEmpty())
        platform.message(ui.window, outcome.message);
}

} // namespace quorvane
