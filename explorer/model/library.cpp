#include "model/library.h"

#include "domain/thumbnails.h"
#include "io/export.h"

namespace quorvane {

PlaceLibrary::PlaceLibrary(const QImage& blank) : blankIcon(blank), chosenIcon(blank) {}

QString PlaceLibrary::load(const QString& libraryFolder, bool usable, const QString& exports) {
    folder = libraryFolder;
    exportFolder = exports;
    library = Places();
    QString message;
    if (usable) {
        LoadedPlaces loaded = loadPlaces(folder);
        library = std::move(loaded.places);
        message = loaded.message;
    }
    showChosen();
    return message;
}

void PlaceLibrary::showChosen() {
    const auto place = library.chosenPlace();
    chosenIcon = loadThumbnail(folder, place ? place->name : QString(), blankIcon);
}

std::optional<AreaName> PlaceLibrary::chosenArea() const {
    const auto place = library.chosenPlace();
    return place ? AreaName::from(place->name) : std::nullopt;
}

QString PlaceLibrary::save(const Picture& picture, int limit, bool automatic) {
    if (const QString refusal = library.saveRefusal(); !refusal.isEmpty())
        return refusal;
    const Place place{picture.name(), limit, automatic ? 1 : 0};
    const QImage thumbnail = placeThumbnail(picture.image);
    const LibraryOutcome outcome = library.save(folder, place, thumbnail);
    if (outcome.changed) {
        chosenIcon = thumbnail;
        savedPictures[picture.id] = place.name;
    }
    return outcome.message;
}

void PlaceLibrary::step(int index) {
    library.select(index);
    showChosen();
}

QString PlaceLibrary::remove() {
    const auto place = library.chosenPlace();
    const LibraryOutcome outcome = library.remove(folder);
    if (outcome.changed) {
        // A picture saved as that place can be saved again.
        std::erase_if(savedPictures,
                      [&](const auto& saved) { return saved.second == place->name; });
        showChosen();
    }
    return outcome.message;
}

QString PlaceLibrary::exportPicture(const Picture& picture, const QString& fileName) {
    // The picture's own pixels: the overlays above it are not part of it.
    const QString failure = quorvane::exportPicture(exportFolder, fileName, picture.image);
    if (failure.isEmpty())
        exportedPictures.insert(picture.id);
    return failure;
}

} // namespace quorvane
