// The places the user keeps, the recent pictures and the exported pictures.
#include "model/explorer.h"

#include "domain/areaname.h"
#include "io/export.h"

namespace quorvane {

namespace {
const QString BadName = QStringLiteral("Formato stringa scorretto!");
} // namespace

// The view of an area name described at once (`CalcolaLimiti`): false, with
// the message, for a name that is none.
bool Explorer::describe(const QString& name) {
    const auto decoded = decodeAreaName(name);
    if (!decoded) {
        emit notice(BadName);
        return false;
    }
    shown = View{name, decoded->limits, decoded->zoom};
    return true;
}

// The picture on the screen goes among the recent ones, unless it is blank
// or already the newest.
void Explorer::pushMain() {
    recent.push(main);
}

void Explorer::loadLibrary(const QString& folder, bool usable, const QString& exports) {
    libraryFolder = folder;
    exportFolder = exports;
    library = Places();
    if (usable) {
        LoadedPlaces loaded = loadPlaces(folder);
        library = std::move(loaded.places);
        if (!loaded.message.isEmpty())
            emit notice(loaded.message);
    }
    const auto place = library.chosenPlace();
    chosenIcon = loadThumbnail(folder, place ? place->name : QString(), blankIcon);
    update();
}

void Explorer::savePlace() {
    if (!commands().Salva)
        return;
    if (const QString refusal = library.saveRefusal(); !refusal.isEmpty()) {
        emit notice(refusal);
        return;
    }
    const Place place{shown.name, limit, automaticColours ? 1 : 0};
    const QImage thumbnail = placeThumbnail(main.image);
    const LibraryOutcome outcome = library.save(libraryFolder, place, thumbnail);
    if (outcome.changed) {
        chosenIcon = thumbnail;
        savedPictures[main.id] = place.name;
    }
    update();
    if (!outcome.message.isEmpty())
        emit notice(outcome.message);
}

void Explorer::stepPlace(int index) {
    if (!commands().SelSave[std::size_t(index)])
        return;
    library.select(index);
    // Once the user has stepped away, the place prepared is offered again:
    // "Attiva" restores its stored limit and colouring without a run.
    next.place.clear();
    const auto place = library.chosenPlace();
    chosenIcon = loadThumbnail(libraryFolder, place ? place->name : QString(), blankIcon);
    update();
}

// The chosen place becomes the view described and the next run's, over a
// blank screen; the picture that was on the screen stays among the recent
// ones under its own name.
void Explorer::activatePlace() {
    const auto place = library.chosenPlace();
    if (!place || !commands().Carica)
        return;
    pushMain();
    describe(place->name);
    limit = place->iter;
    emit limitSet();
    automaticColours = place->autoColor != 0;
    paletteCurrent = false;
    next = PendingView::described(shown.limits, chosenIcon, Origin::Place);
    next.place = place->name;
    main = Picture{black, 0, shown.name, limit};
    update();
}

void Explorer::deletePlace() {
    if (!commands().Elimina)
        return;
    const auto place = library.chosenPlace();
    const LibraryOutcome outcome = library.remove(libraryFolder);
    if (outcome.changed) {
        // A picture saved as that place can be saved again.
        std::erase_if(savedPictures,
                      [&](const auto& saved) { return saved.second == place->name; });
        const auto chosen = library.chosenPlace();
        chosenIcon = loadThumbnail(libraryFolder, chosen ? chosen->name : QString(), blankIcon);
    }
    update();
    if (!outcome.message.isEmpty())
        emit notice(outcome.message);
}

// ---- Recent pictures ----------------------------------------------------

int Explorer::browseCount() const {
    return mainMode == MainMode::Browsing ? int(browsable.size())
                                          : int(recent.older(main.id).size());
}

QString Explorer::browsedName() const {
    if (mainMode != MainMode::Browsing)
        return {};
    const QString name = position == 0 ? main.name : browsable[std::size_t(position - 1)].name;
    return name.isEmpty() ? QStringLiteral("Z") : name;
}

void Explorer::browse(int index) {
    if (!commands().SelImage[std::size_t(index)])
        return;
    if (mainMode == MainMode::Ready) {
        browsable = recent.older(main.id);
        if (browsable.empty())
            return;
        mainMode = MainMode::Browsing;
        position = 1;
    } else if (mainMode == MainMode::Browsing) {
        if (index == 0 && position > 0)
            --position;
        else if (index == 1 && position < int(browsable.size()))
            ++position;
    }
    update();
}

// The browsed picture stays on the screen and becomes the view described and
// the next run's.
void Explorer::activateRecent() {
    if (!commands().AttSel)
        return;
    const Picture picked = position == 0 ? main : browsable[std::size_t(position - 1)];
    const QString name = browsedName();
    mainMode = MainMode::Ready;
    describe(name);
    next = PendingView::described(shown.limits, blankIcon, Origin::Recent);
    main = picked;
    main.name = shown.name;
    pushMain();
    position = 0;
    update();
}

void Explorer::endBrowsing() {
    if (!commands().EndSel)
        return;
    mainMode = MainMode::Ready;
    position = 0;
    update();
}

// ---- Export -------------------------------------------------------------

void Explorer::exportArea() {
    if (!commands().SalvaFile)
        return;
    // The picture's own pixels: the overlays above it are not part of it.
    if (const QString failure = exportPicture(exportFolder, areaExportName(shown.name), main.image);
        !failure.isEmpty()) {
        emit notice(failure);
        return;
    }
    exportedPictures.insert(main.id);
    update();
}

void Explorer::exportJulia() {
    if (!commands().SalvaJulia || !juliaState.picture)
        return;
    const Picture& picture = *juliaState.picture;
    if (const QString failure =
            exportPicture(exportFolder, juliaExportName(juliaFiles), picture.image);
        !failure.isEmpty()) {
        emit notice(failure);
        return;
    }
    exportedPictures.insert(picture.id);
    ++juliaFiles;
    update();
}

} // namespace quorvane
