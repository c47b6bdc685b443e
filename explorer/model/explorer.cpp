// The explorer's start-up, its runs of the engine, the run settings and the
// chart.
#include "model/explorer.h"

#include "domain/thumbnails.h"

#include <QTimer>

namespace quorvane {

Explorer::Explorer(QObject* parent)
    : QObject(parent), blankIcon(blankThumbnail()), where(blankIcon), places(blankIcon),
      juliaMode(blankIcon) {
    connect(&runs, &Runner::ended, this, &Explorer::runEnded);
    connect(&juliaMode, &JuliaSession::traceEnded, this, [this] {
        currentWork = Work::None;
        workEnded();
    });
}

// The change is announced once every part concerned has taken it; only then
// does the user hear what the command has to tell.
void Explorer::announce() {
    emit changed();
    if (std::exchange(beepOwed, false))
        emit beep();
    for (const QString& text : std::exchange(notices, {}))
        if (!text.isEmpty())
            emit notice(text);
}

void Explorer::buildRamp(const std::function<void(int, Colore)>& onColour) {
    colours.buildRamp(onColour);
    startIcon = startViewThumbnail(colours.ramp());
    where.startOver(startIcon);
    announce();
}

// Back to the start view "Z" with the limit 100 and the linear colouring:
// its stored picture, or a run of it when none is stored. The picture that
// was on the screen stays among the recent ones.
void Explorer::showStartView() {
    mainMode = MainMode::Ready;
    pictures.push();
    where.startOver(startIcon);
    runs.clearProgress();
    colours.restart(*pictures.table().frequencies);
    if (const auto& start = pictures.startView()) {
        pictures.show(*start);
        pictures.push();
        return announce();
    }
    showBlank();
    announce();
    runView();
}

// The view described has no picture until View computes it.
void Explorer::showBlank() {
    pictures.show(Picture::blank(where.view(), colours.iterMax()));
}

void Explorer::setIterations(const QString& typed) {
    offer(commands().IterazOK, [&] { beepOwed = !colours.setTyped(typed); });
}

void Explorer::setAutomatic(bool on) {
    offer(commands().AutoColor, [&] { colours.setAutomatic(on); });
}

void Explorer::toggleChart() {
    offer(commands().Istogramma, [&] {
        if (mainMode == MainMode::Chart)
            mainMode = MainMode::Ready;
        else if (pictures.currentHasTable())
            mainMode = MainMode::Chart;
    });
}

// ---- Runs -------------------------------------------------------------------

void Explorer::startRun(Work work, const EngineJob& job) {
    currentWork = work;
    runs.start(job);
    announce();
}

void Explorer::runView() {
    if (commands().View && runs.ready())
        startRun(Work::ViewRun, where.job(colours.iterMax()));
}

// A complete View run makes its view the one described and its picture the
// current one; a complete Julia run leaves the table of the picture of the
// Quorvane set as it was.
void Explorer::runEnded(const EngineResult& result) {
    const Work work = std::exchange(currentWork, Work::None);
    if (result.status == RunStatus::Failed)
        notices << result.error;
    std::optional<Painting> painted;
    if (result.status == RunStatus::Complete)
        painted = colours.paint(result.counts);
    if (work == Work::ViewRun) {
        runs.clearProgress();
        const bool startView = where.pending().origin == Origin::StartView && !pictures.startView();
        if (painted)
            pictures.completeRun(*painted, where.completeRun(), result.counts, startView);
    } else if (work == Work::JuliaRun) {
        juliaMode.runEnded(painted, where.view());
    }
    workEnded();
}

void Explorer::stopWork() {
    if (currentWork == Work::Trace)
        juliaMode.stopTrace();
    else if (currentWork == Work::Export)
        exports->stop();
    else if (currentWork != Work::None)
        runs.stop();
}

void Explorer::workEnded() {
    announce();
    if (std::exchange(closing, false))
        QTimer::singleShot(0, this, [this] { emit closeNow(); });
}

bool Explorer::requestClose() {
    if (currentWork == Work::None)
        return true;
    // Stop the work and clean up first; the window closes when it has ended.
    closing = true;
    stopWork();
    return false;
}

} // namespace quorvane
