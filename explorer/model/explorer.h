// The explorer's façade: the mode, the work going on and the commands. A
// command changes the parts it concerns (navigator, colouring, pictures,
// place library, Julia mode), then announces the change once, and only then
// are the notices for the user sent. Panels read the part they show.
#pragma once

#include "model/colouring.h"
#include "model/commands.h"
#include "model/history.h"
#include "model/juliasession.h"
#include "model/library.h"
#include "model/navigator.h"
#include "model/pictureexport.h"
#include "model/runner.h"
#include "model/scene.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace quorvane {

class Explorer : public QObject {
    Q_OBJECT
  public:
    explicit Explorer(QObject* parent = nullptr);
    // The engine that computes the pictures, and the part that exports them
    // at any size: its exports are the explorer's work.
    void useEngine(Engine& engine) { runs.use(engine); }
    void useExports(PictureExport& exporter);

    // Builds the ramp, handing each colour to onColour as it is computed.
    void buildRamp(const std::function<void(int, Colore)>& onColour = {});
    // Reads the library in folder (none when unusable); exports go to exportFolder.
    void loadLibrary(const QString& folder, bool usable, const QString& exportFolder);
    // The first activation: the start view computed and stored.
    void activate() { showStartView(); }

    MainMode mode() const { return mainMode; }
    Work work() const { return currentWork; }
    Situation situation() const;
    CommandStates commands() const { return commandsFor(situation()); }
    QImage screen() const { return sceneImage(mainMode, pictures, juliaMode); }
    Overlays overlays() const {
        return sceneOverlays(mainMode, currentWork, where, pictures, juliaMode);
    }
    const QImage& noIcona() const { return blankIcon; }

    const Runner& runner() const { return runs; }
    const Navigator& navigator() const { return where; }
    const Colouring& colouring() const { return colours; }
    const PictureHistory& history() const { return pictures; }
    const PlaceLibrary& library() const { return places; }
    const JuliaSession& julia() const { return juliaMode; }

    // ---- Commands ----
    void runView();
    void stopWork();
    void setIterations(const QString& typed); // IterazOK
    void setAutomatic(bool on);               // AutoColor
    void toggleChart();
    void toggleGrid();
    void chooseLetter(int index);
    void moveGrid(int index);
    void cutOne();
    void confirmSelection();
    void savePlace();
    void stepPlace(int index);
    void activatePlace();
    void deletePlace();
    void browse(int index);
    void activateRecent();
    void endBrowsing();
    // After the user said yes: the picture written into the export folder.
    void exportArea();
    void exportJulia();
    // "Esporta…" for the picture on the screen; none when not offered.
    std::optional<ExportRequest> exportRequest() const;
    void toggleJulia();
    void runJulia();
    void toggleTrace();
    // The left button pressed (or moved with the button down), let go.
    void pressAt(int x, int y);
    void releaseAt(int x, int y);

    // A close of the window: true when it may close now; during work the
    // work is stopped and closeNow follows once it has ended.
    bool requestClose();

  signals:
    void changed();
    void progressed();
    void notice(const QString& text);
    void beep();
    void closeNow();

  private:
    void announce();
    // Makes the change when the command is offered, and announces it.
    template <class Change> void offer(bool offered, Change&& change) {
        if (offered) {
            change();
            announce();
        }
    }
    void refuseZoom();
    void startRun(Work work, const EngineJob& job);
    void runEnded(const EngineResult& result);
    void showStartView();
    void showBlank();
    void workEnded();

    MainMode mainMode = MainMode::Starting;
    Work currentWork = Work::None;
    bool closing = false; // the window's close is held until the work has ended
    QImage blankIcon, startIcon;

    Runner runs;
    PictureExport* exports = nullptr;
    Navigator where;
    Colouring colours;
    PictureHistory pictures;
    PlaceLibrary places;
    JuliaSession juliaMode;

    // What a command has to tell the user, once its change is announced.
    QStringList notices;
    bool beepOwed = false;
};

} // namespace quorvane
