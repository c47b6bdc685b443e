// The explorer's start-up, its runs of the engine, the run settings and the
// chart.
#include "model/explorer.h"

#include "domain/numbertext.h"
#include "domain/painting.h"
#include "domain/thumbnails.h"

#include <QTimer>
#include <cmath>

namespace quorvane {

namespace {

// The counts and the palette now describe the Julia picture; the table of
// the picture of the Quorvane set stays.
Picture juliaPicture(const std::vector<std::int16_t>& counts, Colouring& colours,
                     const Navigator& where, const JuliaSession& julia) {
    const int limit = colours.iterMax();
    auto frequencies = std::make_unique<Frequencies>();
    countSamples(counts, limit, *frequencies);
    const auto palette = colours.paletteFor(*frequencies);
    return Picture{paintCounts(counts, *palette, limit),
                   newPictureId(),
                   where.view(),
                   julia.subject(),
                   limit,
                   palette};
}

} // namespace

Explorer::Explorer(QObject* parent)
    : QObject(parent), blankIcon(blankThumbnail()), where(blankIcon), places(blankIcon),
      juliaMode(blankIcon) {
    connect(&juliaMode, &JuliaSession::traceEnded, this, [this] {
        currentWork = Work::None;
        workEnded();
    });
}

void Explorer::useEngine(Engine& client) {
    if (engine)
        engine->disconnect(this);
    engine = &client;
    connect(engine, &Engine::started, this, &Explorer::engineStarted);
    connect(engine, &Engine::progress, this, [this](int column) {
        progressColumn = unsigned(column);
        emit progressed();
    });
    connect(engine, &Engine::reading, this, [this] { emit painting(true); });
    connect(engine, &Engine::finished, this, &Explorer::runEnded);
}

// The change is announced once every part concerned has taken it; only then
// does the user hear what the command has to tell.
void Explorer::announce() {
    emit changed();
    if (beepOwed) {
        beepOwed = false;
        emit beep();
    }
    const QStringList texts = std::exchange(notices, {});
    for (const QString& text : texts)
        emit notice(text);
}

void Explorer::tell(const QString& text) {
    if (!text.isEmpty())
        notices << text;
}

void Explorer::buildRamp(const std::function<void(int, Colore)>& onColour) {
    colours.buildRamp(onColour);
    startIcon = startViewThumbnail(colours.ramp());
    where.startOver(startIcon);
    announce();
}

int Explorer::effectiveLimit() const {
    if (mainMode == MainMode::Julia) {
        const auto& picture = juliaMode.state().picture;
        return picture ? picture->iterations : colours.iterMax();
    }
    const Picture& main = pictures.current();
    return main.computed() ? main.iterations : colours.iterMax();
}

void Explorer::activate() {
    showStartView();
}

// Back to the start view "Z" with the limit 100 and the linear colouring:
// its stored picture, or a run of it when none is stored.
void Explorer::showStartView() {
    mainMode = MainMode::Ready;
    // The picture that was on the screen stays among the recent ones.
    pictures.push();
    where.startOver(startIcon);
    progressColumn.reset();
    colours.restart(*pictures.table().frequencies);
    if (const auto& start = pictures.startView()) {
        pictures.show(*start);
        pictures.push();
        announce();
        return;
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
    if (!commands().IterazOK)
        return;
    const double value = typedNumber(typed);
    // Compare before converting: a huge value must not overflow an int.
    int n;
    if (!(value >= 20.0)) {
        beepOwed = true;
        n = 20;
    } else if (std::trunc(value) > 32767.0) {
        beepOwed = true;
        n = 32767;
    } else {
        n = int(std::trunc(value));
    }
    colours.setLimit(n);
    announce();
}

void Explorer::setAutomatic(bool on) {
    if (!commands().AutoColor)
        return;
    colours.setAutomatic(on);
    announce();
}

void Explorer::toggleChart() {
    if (!commands().Istogramma)
        return;
    if (mainMode == MainMode::Chart)
        mainMode = MainMode::Ready;
    else if (mainMode == MainMode::Ready && situation().pictureHasTable)
        mainMode = MainMode::Chart;
    announce();
}

// ---- Runs -------------------------------------------------------------------

void Explorer::startRun(Work work, const quor::Job& job) {
    currentWork = work;
    progressColumn = 0;
    emit progressed();
    announce();
    engine->start(job);
}

void Explorer::runView() {
    if (!commands().View || !engine)
        return;
    startRun(Work::ViewRun, where.job(colours.iterMax()));
}

void Explorer::runEnded(const EngineResult& result) {
    const Work work = currentWork;
    currentWork = Work::None;
    if (result.status == RunStatus::Failed)
        tell(result.error);
    const bool complete = result.status == RunStatus::Complete;
    if (work == Work::ViewRun) {
        progressColumn.reset();
        emit progressed();
        if (complete)
            acceptView(result.counts);
    } else if (work == Work::JuliaRun) {
        juliaMode.runEnded(
            complete ? std::optional(juliaPicture(result.counts, colours, where, juliaMode))
                     : std::nullopt);
    }
    emit painting(false);
    workEnded();
}

void Explorer::acceptView(std::vector<std::int16_t> counts) {
    const int limit = colours.iterMax();
    auto frequencies = std::make_shared<Frequencies>();
    countSamples(counts, limit, *frequencies);
    const auto palette = colours.paletteFor(*frequencies);
    const bool startRun = where.pending().origin == Origin::StartView && !pictures.startView();
    const View& view = where.completeRun();
    const Picture picture{
        paintCounts(counts, *palette, limit), newPictureId(), view, std::nullopt, limit, palette};
    pictures.completeRun({std::move(counts), std::move(frequencies), picture.id, limit}, picture,
                         startRun);
}

void Explorer::stopWork() {
    if (currentWork == Work::Trace)
        juliaMode.stopTrace();
    else if (currentWork != Work::None && engine)
        engine->stop();
}

void Explorer::workEnded() {
    announce();
    if (closing) {
        closing = false;
        QTimer::singleShot(0, this, [this] { emit closeNow(); });
    }
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
