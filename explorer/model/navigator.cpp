#include "model/navigator.h"

namespace quorvane {

View PendingView::target(const View& shown) const {
    View v{name, limits, shown.zoom, deep};
    switch (step) {
    case ZoomStep::StartView:
        v.zoom = 1.0;
        break;
    case ZoomStep::OneLetter:
        v.zoom = shown.zoom * 25;
        break;
    case ZoomStep::TwoLetters:
        v.zoom = shown.zoom * 625;
        break;
    case ZoomStep::Kept:
        break;
    }
    return v;
}

Navigator::Navigator(const QImage& blank) : blankIcon(blank) {
    next.thumbnail = blank;
}

void Navigator::startOver(const QImage& startThumbnail) {
    shown = View{};
    next = PendingView{};
    next.thumbnail = startThumbnail;
}

void Navigator::describe(const AreaName& name, Origin origin, const QImage& thumbnail) {
    shown = View::of(name);
    next = PendingView{};
    next.name = name;
    next.limits = shown.limits;
    next.deep = shown.deep;
    next.step = ZoomStep::Kept;
    next.thumbnail = thumbnail;
    next.origin = origin;
}

void Navigator::startSelection() {
    grid = quorvane::startSelection(shown.name.text());
}

bool Navigator::chooseLetter(int index) {
    const auto chosen = withLetter(grid, index, shown.name.text());
    if (chosen)
        grid = *chosen;
    return chosen.has_value();
}

void Navigator::moveGrid(int index) {
    grid = shifted(grid, index, shown.name.text());
}

void Navigator::cutOne() {
    grid = cutOneMore(grid, shown.name.text());
}

void Navigator::goBack() {
    describe(shown.name.shortened(grid.cut), Origin::GoingBack, blankIcon);
}

bool Navigator::select(const QImage& picture) {
    const auto name = AreaName::from(nameAfterRun(shown.name.text(), grid.fragment));
    if (!name)
        return false;
    const ChosenSquare square = chosenSquare(grid.first, grid.second, grid.shift);
    next = PendingView{};
    next.name = *name;
    next.fragment = grid.fragment;
    // Today's limits from the picture's, while they resolve the view the
    // appended name stands for; else that name's exact view.
    const View target = View::reached(
        *name, nextRunLimits(shown.limits, grid.first, grid.second, grid.shift), shown.zoom);
    next.limits = target.limits;
    next.deep = target.deep;
    next.step = square.subCell() ? ZoomStep::TwoLetters : ZoomStep::OneLetter;
    next.thumbnail = sampleThumbnail(picture, square);
    next.origin = Origin::Selection;
    // The frame of the chosen square stays on the picture until the run.
    next.frame = QRect(square.x0 - 1, square.y0 - 1, square.size + 2, square.size + 2);
    next.subCell = square.subCell();
    return true;
}

EngineJob Navigator::job(int nmax) const {
    return next.target(shown).job(nmax);
}

const View& Navigator::completeRun() {
    shown = next.target(shown);
    const QImage thumbnail = next.thumbnail;
    next = PendingView{};
    next.name = shown.name;
    next.limits = shown.limits;
    next.deep = shown.deep;
    next.step = ZoomStep::Kept;
    next.thumbnail = thumbnail;
    next.origin = Origin::Computed;
    return shown;
}

} // namespace quorvane
