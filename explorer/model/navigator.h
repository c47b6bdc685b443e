// Where the explorer is in the plane: the view described (the picture's
// view, or one described and not yet computed), the view prepared for the
// next run and how it was prepared, and the selection on the grid. The only
// place where a view is derived from a name or from a selection, and where
// the job of a run is made.
#pragma once

#include "domain/selection.h"
#include "domain/view.h"

#include <QImage>
#include <QRect>
#include <optional>

namespace quorvane {

// How the next run changes the zoom factor.
enum class ZoomStep {
    StartView,  // back to 1
    OneLetter,  // times 25
    TwoLetters, // times 625
    Kept,       // as the view's name already gives it
};

// What prepared the next view.
enum class Origin { StartView, Selection, Place, Recent, GoingBack, Computed };

// The view the next run computes, and how it was prepared.
struct PendingView {
    AreaName name;             // the name of the picture the run gives
    QString fragment;          // the letters of a selection that name appends
    Limits limits = StartView; // the job's limits in doubles
    bool deep = false;         // computed by the deep kind from the name's exact limits
    ZoomStep step = ZoomStep::StartView;
    QImage thumbnail; // shown on View
    Origin origin = Origin::StartView;
    QString place;              // the place activated, until the user steps in the library
    std::optional<QRect> frame; // a confirmed selection's frame on the picture
    bool subCell = false;       // ... around a sub-cell rather than a cell
    // The view shown once the run is complete, from the view shown now.
    View target(const View& shown) const;
};

class Navigator {
  public:
    // blank is shown on View where there is no thumbnail of the next view.
    explicit Navigator(const QImage& blank = {});

    const View& view() const { return shown; }
    const PendingView& pending() const { return next; }
    const GridSelection& selection() const { return grid; }

    // The start view "Z", described and prepared, with its own thumbnail.
    void startOver(const QImage& startThumbnail);
    // The view of name described at once (`CalcolaLimiti`) and prepared as
    // it stands, from origin, with thumbnail on View.
    void describe(const AreaName& name, Origin origin, const QImage& thumbnail);
    // The place name was activated and is prepared; forgotten once the
    // user steps in the library.
    void preparePlace(const QString& place) { next.place = place; }
    void forgetPlace() { next.place.clear(); }

    // ---- The grid ----
    void startSelection();
    // False when the letter is refused at the limit of precision.
    bool chooseLetter(int index);
    void moveGrid(int index);
    void cutOne();
    Confirmation confirmation() const { return classifyConfirmation(grid); }
    // "-1" confirmed: the shortened name described, blank on View.
    void goBack();
    // A cell or sub-cell confirmed, from the picture shown: false when the
    // selection gives no area name.
    bool select(const QImage& picture);

    // The job of the next run, with the iteration limit nmax.
    EngineJob job(int nmax) const;
    // The run is complete: its view becomes the one described, and the same
    // view is prepared again should View be pressed once more.
    const View& completeRun();

  private:
    QImage blankIcon;
    View shown;
    PendingView next;
    GridSelection grid;
};

} // namespace quorvane
