// The shared part of the window: the state record of the picture shown and
// of the next run, the palette and the painting, the enabling rule, and the
// one protocol of long work that every run of the engine goes through.
#pragma once

#include "model/limits.h"
#include "model/palette.h"
#include "window/controls.h"
#include "window/enginerun.h"

#include <QImage>
#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPushButton;

namespace quorvane {

class Platform;

// What the picture on the screen is, as far as the commands that use it care.
enum class PictureKind {
    Computed, // the last completed run of View: its table is the histogram's
    Stored,   // the stored start view, shown again without a run
    Recalled, // a picture kept earlier, shown again while its view is prepared
    None,     // nothing to keep: the black picture of a view not yet computed
    Julia,    // Julia mode's own pictures: a Julia set or an orbit trace
};

// Julia mode's commands, when the mode is on.
struct JuliaReady {
    bool constantChosen = false;  // JuliaGo can run
    bool pictureShown = false;    // a Julia run has ended (the tag of JuliaGo)
    bool zoomPending = false;     // a zoom is framed: the picture takes no click
    bool traceAvailable = false;  // Traccia can draw the orbit
    bool traceShown = false;      // an orbit trace is on the picture
    bool pictureExported = false; // SalvaJulia has written this picture
};

// What the enabling rule reads from the parts that own it.
struct ReadyInputs {
    int numUltime = 0;          // recent pictures kept
    bool previousPlace = false; // the library's arrows, "Attiva" and "Elimina"
    bool nextPlace = false;
    bool activatePlace = false;
    bool removePlace = false;
    bool pictureSaved = false;       // the picture shown is in the library already
    bool pictureExported = false;    // the picture shown is exported already
    std::optional<JuliaReady> julia; // set while Julia mode is on
};

class ViewCore : public QObject {
    Q_OBJECT
  public:
    ViewCore(const Controls& ui, Platform& platform, const QString& appFolder,
             const QString& engine);

    // ---- The state record -------------------------------------------------
    const Limits& shown() const { return limits; }    // XMin, XMax, YMin, YMax
    const Limits& next() const { return nextLimits; } // NuovoXMin ... NuovoYMax
    int IterMax() const { return iterMax; }
    int IterEffettive() const { return iterEffettive; }
    int TipoScelta() const { return tipoScelta; }
    const std::vector<std::int16_t>& Tavola() const { return table; } // [column * 724 + row]
    const Frequencies& Frequenze() const { return frequencies; }
    const Palette& ColoreIter() const { return palette; }
    const Ramp& Rampa() const { return ramp; }
    PictureKind picture() const { return pictureKind; }
    // Grows whenever the picture on the screen changes, so that a part can
    // tell whether what it did still concerns the picture shown.
    int pictureGeneration() const { return generation; }

    // The stored pictures.
    const QImage& Z() const { return z; }
    const QImage& Black() const { return black; }
    const QImage& NoIcona() const { return noIcona; }
    const QImage& Icona() const { return icona; }
    bool zStored() const { return zTag; }

    // True while long work runs; stopAsked() once its stop command was used.
    bool busy() const { return working; }
    bool stopAsked() const { return stopRequested; }

    // ---- Procedures -------------------------------------------------------
    // Decodes name into the limits of the picture and of the next run and
    // shows them with the zoom factor; "Formato stringa scorretto!" and no
    // change for a bad name.
    bool CalcolaLimiti(const QString& name);
    // Builds the ramp; onColour receives each colour as it is computed.
    void CreaRampa(const std::function<void(int, Colore)>& onColour);
    // Brings the palette up to date with the limit and the colouring choice.
    void Colora();
    // The palette no longer fits (the limit or the colouring changed).
    void paletteOutOfDate();
    void paintTable();
    void Blocca();
    void Sblocca();
    // Every command with its state when the window is ready.
    std::vector<std::pair<QWidget*, bool>> readyState() const;
    void setReadyInputs(std::function<ReadyInputs()> inputs);
    // Places the window at the top-left of the screen, as at start-up.
    void placeWindow();

    // ---- Preparing the next view ------------------------------------------
    // The start view with nothing pending (every Form_Load).
    void resetToStartView();
    // Limit 100 and linear colouring, the palette rebuilt (every activation).
    void resetIterations();
    // A confirmed selection: the limits of the next run, how they were
    // chosen, and the thumbnail shown on View.
    void prepareNext(const Limits& next, int tipoScelta, const QImage& thumbnail);
    // Nothing is pending any more: View shows the blank thumbnail.
    void dropPending();
    // The limit and the colouring of the next run, the palette out of date.
    void setIterations(int limit, bool automatic);
    // A named place as the next view (a library place or a recent picture):
    // its limits, its name as the current one, thumbnail on View, and no
    // grid selection pending any more.
    void preparePlace(const QString& name, const QImage& thumbnail);
    // A picture kept earlier shown again.
    void showRecalled(const QImage& picture);
    // The picture on the screen is now of another kind.
    void setPictureKind(PictureKind kind);
    // A Julia table: the histogram counts and the palette describe it and it
    // is painted; the table of the picture of the Quorvane set stays.
    void showJuliaTable(const std::vector<std::int16_t>& counts);
    // Draws onto the picture's own pixels within area, then shows them.
    void paintOnPicture(const QRect& area, const std::function<void(QImage&)>& painter);
    // Shows the stored start view (computing it the first time).
    void showStartView();
    // No picture of the view shown exists until it is computed.
    void showBlank();

    // ---- Long work --------------------------------------------------------
    // Runs work between Blocca and Sblocca; refused (false) while other work
    // runs. A close asked for meanwhile follows once the work is over.
    bool longWork(const std::function<void()>& work);
    // One engine job with its progress in Cicli and Progress and stop as its
    // stop command. On Complete, counts holds the table [column * 724 + row].
    RunOutcome runJob(const quor::Job& job, QPushButton* stop, std::vector<std::int16_t>& counts,
                      bool resetProgress = true);
    // The stop commands: the running work ends at its next look.
    void stopWork() { stopRequested = true; }
    // A close of the window: true when it may close now; during work the
    // work is stopped and closeAfterWork follows.
    bool requestClose();

    // ---- Handlers ---------------------------------------------------------
    void View_Click();
    void Ferma_Click() { stopWork(); }
    void IterazOK_Click();
    void AutoColor_Click() { paletteOutOfDate(); }

  signals:
    // A run of View completed: the picture and its area name.
    void pictureCompleted(const QImage& picture, const QString& name);
    void closeAfterWork();

  private:
    void showLimits();
    void showTable(std::vector<std::int16_t>&& counts);
    void countAndPaint(const std::vector<std::int16_t>& counts);
    void showViewThumbnail(const QImage& thumbnail);
    void paintCounts(const std::vector<std::int16_t>& counts);
    std::vector<std::pair<QWidget*, bool>> readyState(const ReadyInputs& in) const;
    std::vector<std::pair<QWidget*, bool>> juliaReadyState(const JuliaReady& julia) const;

    const Controls& ui;
    Platform& platform;
    QString folder;
    QString engineFile;
    std::function<ReadyInputs()> readyInputs = [] { return ReadyInputs{}; };

    Limits limits, nextLimits;
    int iterMax = 100;
    int iterEffettive = 100;
    int tipoScelta = 0;
    std::vector<std::int16_t> table;
    Frequencies frequencies{};
    Palette palette{};
    Ramp ramp{};
    PictureKind pictureKind = PictureKind::None;
    int generation = 0;
    QImage z, black, noIcona, zIcona, icona;
    bool zTag = false; // the start view is stored in Z
    bool working = false;
    bool stopRequested = false;
    bool closeRequested = false;
};

} // namespace quorvane
