// Which commands the window offers: one pure function from the explorer's
// mode to the enabled state of every command, whatever the mode.
#pragma once

#include "domain/selection.h"

#include <QString>
#include <QStringList>
#include <array>

namespace quorvane {

// What the window is doing, apart from work in progress. It is Starting
// until its first activation, when nothing can be used yet.
enum class MainMode { Starting, Ready, Grid, Browsing, Chart, Julia };

// Long work in progress; while it runs only its own stop command is offered.
enum class Work { None, ViewRun, JuliaRun, Trace, Export };

// Julia mode, from entering it to a trace on the screen.
enum class JuliaStage {
    NoConstant,     // the picture takes the point that becomes the constant
    ConstantChosen, // its marks are on the picture; JuliaGo and Traccia offered
    PictureShown,   // a run has ended: a click zooms
    ZoomPending,    // a zoom is framed: no click until JuliaGo has run
    TraceShown,     // an orbit trace covers the picture
};

// Everything the enabling rule reads.
struct Situation {
    MainMode mode = MainMode::Ready;
    Work work = Work::None;

    // The picture on the screen when ready.
    bool pictureComputed = false; // a computed picture: it can be saved and exported
    bool pictureHasTable = false; // the completed View run whose counts are held
    bool pictureSaved = false;
    bool pictureExported = false;
    int olderPictures = 0; // recent pictures to browse back to
    // The computed picture on the screen, of the view or a Julia picture,
    // can be computed again at any size: its palette is held.
    bool screenExportable = false;

    // The library frame.
    bool previousPlace = false;
    bool nextPlace = false;
    bool placeToActivate = false;
    bool placeToDelete = false;

    // The grid.
    GridStage gridStage = GridStage::Coarse;
    int shiftX = 2, shiftY = 2; // the shift of the stage, 0..4
    bool menoUna = false;       // "-1" can mark one more group

    // Browsing.
    int position = 0, count = 0;

    // Julia mode.
    JuliaStage juliaStage = JuliaStage::NoConstant;
    bool traceAvailable = false;       // the constant is chosen and no run has ended since
    bool juliaPictureToExport = false; // a completed Julia picture not exported yet

    bool operator==(const Situation&) const = default;
};

// The enabled state of every command, by the controls' names.
struct CommandStates {
    bool Griglia = false, MenoUna = false, Copia = false;
    std::array<bool, 25> Lettere{};
    std::array<bool, 5> Mezzo{};
    bool Iterazioni1 = false, IterazOK = false, Istogramma = false;
    bool View = false, Ferma = false, AutoColor = false;
    bool Colors = false, Esci = false, Julia = false;
    bool JuliaGo = false, StopJulia = false, SalvaJulia = false;
    bool Traccia = false, StopTraccia = false;
    bool Sfondo = false; // the picture takes the mouse
    bool EndSel = false, AttSel = false;
    std::array<bool, 2> SelImage{}, SelSave{};
    bool Salva = false, SalvaFile = false, Elimina = false, Carica = false;
    bool Esporta = false, EsportaStop = false; // the export dialog's Stop

    bool operator==(const CommandStates&) const = default;
    // The names of the enabled ones, as the controls are named ("Lettere(3)").
    QStringList enabled() const;
};

CommandStates commandsFor(const Situation& s);

} // namespace quorvane
