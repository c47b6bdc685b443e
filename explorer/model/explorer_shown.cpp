// The situation the enabling rule reads.
#include "model/explorer.h"

namespace quorvane {

Situation Explorer::situation() const {
    Situation s;
    s.mode = mainMode;
    s.work = currentWork;

    const Picture& main = pictures.current();
    s.pictureComputed = main.computed();
    s.pictureHasTable = pictures.currentHasTable();
    s.pictureSaved = places.saved(main.id);
    s.pictureExported = places.exported(main.id);
    s.olderPictures = pictures.olderCount();
    s.screenExportable = exportablePicture(mainMode, pictures, juliaMode) != nullptr;

    const LibraryCommands library = places.places().commands();
    s.previousPlace = library.previous;
    s.nextPlace = library.next;
    s.placeToDelete = library.remove;
    // The place just prepared is not offered again until the user steps.
    const auto chosen = places.places().chosenPlace();
    const PendingView& next = where.pending();
    s.placeToActivate =
        library.activate && !(next.origin == Origin::Place && chosen && chosen->name == next.place);

    const GridSelection& grid = where.selection();
    s.gridStage = grid.stage;
    const bool fine = grid.stage == GridStage::Fine;
    s.shiftX = fine ? grid.shift.affinaX : grid.shift.spostaX;
    s.shiftY = fine ? grid.shift.affinaY : grid.shift.spostaY;
    s.menoUna = grid.menoUna;

    s.position = pictures.browsePosition();
    s.count = pictures.browseCount();

    const JuliaState& julia = juliaMode.state();
    s.juliaStage = julia.stage;
    s.traceAvailable = julia.traceAvailable;
    const bool juliaShown =
        julia.stage == JuliaStage::PictureShown || julia.stage == JuliaStage::ZoomPending;
    s.juliaPictureToExport = juliaShown && julia.picture && !places.exported(julia.picture->id);
    return s;
}

} // namespace quorvane
