// The explorer's start-up, its runs of the engine, the run settings and the
// chart.
#include "model/explorer.h"

#include "domain/areaname.h"
#include "domain/numbertext.h"
#include "domain/painting.h"
#include "domain/thumbnails.h"

#include <QTimer>
#include <cmath>

namespace quorvane {

View PendingView::target(const View& shown) const {
    View v;
    v.name = nameAfterRun(shown.name, fragment);
    v.limits = limits;
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
        v.zoom = shown.zoom;
        break;
    }
    return v;
}

PendingView PendingView::described(const Limits& limits, const QImage& thumbnail, Origin origin) {
    PendingView v;
    v.limits = limits;
    v.step = ZoomStep::Kept;
    v.thumbnail = thumbnail;
    v.origin = origin;
    return v;
}

Explorer::Explorer(QObject* parent)
    : QObject(parent), counts(std::size_t(DimScreen) * DimScreen, 0),
      tableFrequencies(std::make_unique<Frequencies>()), tablePalette(std::make_unique<Palette>()),
      colours(std::make_unique<Palette>()), blankIcon(blankThumbnail()),
      black(DimScreen, DimScreen, QImage::Format_RGB32) {
    black.fill(Qt::black);
    tableFrequencies->fill(0);
    tablePalette->fill(0);
    colours->fill(0);
    main.image = black;
    juliaIcon = blankIcon;
    next.thumbnail = blankIcon;
    shapes = deriveOverlays();
    // One step of a trace at a time, with the window's events between.
    traceTimer.setInterval(0);
    connect(&traceTimer, &QTimer::timeout, this, &Explorer::traceStep);
}

Explorer::~Explorer() = default;

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

void Explorer::update() {
    Overlays derived = deriveOverlays();
    if (!(derived == shapes))
        shapes = std::move(derived);
    emit changed();
}

void Explorer::buildRamp(const std::function<void(int, Colore)>& onColour) {
    rampa = rampColours(Nero, onColour);
    startIcon = startViewThumbnail(rampa);
    next.thumbnail = startIcon;
    update();
}

void Explorer::colora(const Frequencies& frequencies) {
    if (paletteCurrent)
        return;
    fillPalette(automaticColours, limit, frequencies, rampa, *colours);
    paletteCurrent = true;
}

int Explorer::effectiveLimit() const {
    if (mainMode == MainMode::Julia)
        return juliaState.picture ? juliaState.picture->iterations : limit;
    return main.computed() ? main.iterations : limit;
}

void Explorer::activate() {
    showStartView();
}

// Back to the start view "Z" with the limit 100 and the linear colouring:
// its stored picture, or a run of it when none is stored.
void Explorer::showStartView() {
    mainMode = MainMode::Ready;
    // The picture that was on the screen stays among the recent ones.
    pushMain();
    shown = View{};
    next = PendingView{};
    next.thumbnail = startIcon;
    progressColumn.reset();
    limit = 100;
    emit limitSet();
    automaticColours = false;
    paletteCurrent = false;
    colora(*tableFrequencies);
    if (startView) {
        main = *startView;
        pushMain();
        update();
        return;
    }
    main = Picture{black, 0, shown.name, limit};
    update();
    runView();
}

void Explorer::setIterations(const QString& typed) {
    if (!commands().IterazOK)
        return;
    const double value = typedNumber(typed);
    // Compare before converting: a huge value must not overflow an int.
    int n;
    if (!(value >= 20.0)) {
        emit beep();
        n = 20;
    } else if (std::trunc(value) > 32767.0) {
        emit beep();
        n = 32767;
    } else {
        n = int(std::trunc(value));
    }
    limit = n;
    paletteCurrent = false;
    emit limitSet();
    update();
}

void Explorer::setAutomatic(bool on) {
    if (!commands().AutoColor)
        return;
    automaticColours = on;
    paletteCurrent = false;
    update();
}

void Explorer::toggleChart() {
    if (!commands().Istogramma)
        return;
    if (mainMode == MainMode::Chart)
        mainMode = MainMode::Ready;
    else if (mainMode == MainMode::Ready && situation().pictureHasTable)
        mainMode = MainMode::Chart;
    update();
}

// ---- Runs -------------------------------------------------------------------

void Explorer::startRun(Work work, const quor::Job& job) {
    currentWork = work;
    progressColumn = 0;
    emit progressed();
    update();
    engine->start(job);
}

void Explorer::runView() {
    if (!commands().View || !engine)
        return;
    startRun(Work::ViewRun, viewJob(quor::Quorvane, next.limits, limit));
}

void Explorer::runEnded(const EngineResult& result) {
    const Work work = currentWork;
    currentWork = Work::None;
    if (result.status == RunStatus::Failed)
        emit notice(result.error);
    if (work == Work::ViewRun) {
        progressColumn.reset();
        emit progressed();
        if (result.status == RunStatus::Complete)
            acceptView(result.counts);
    } else if (work == Work::JuliaRun) {
        if (result.status == RunStatus::Complete)
            acceptJulia(result.counts);
        // Also after a stop the picture counts as a Julia picture: a click zooms.
        juliaState.stage = JuliaStage::PictureShown;
        juliaState.traceAvailable = false;
    }
    emit painting(false);
    workEnded();
}

void Explorer::acceptView(std::vector<std::int16_t> result) {
    counts = std::move(result);
    countSamples(counts, limit, *tableFrequencies);
    colora(*tableFrequencies);
    *tablePalette = *colours;
    tableLimit = limit;
    tableId = newId();
    const bool startRun = next.origin == Origin::StartView && !startView;
    shown = next.target(shown);
    main = Picture{paintCounts(counts, *colours, limit), tableId, shown.name, limit};
    if (startRun)
        startView = main;
    // The same view again, should View be pressed once more.
    next = PendingView::described(shown.limits, next.thumbnail, Origin::Computed);
    pushMain();
}

void Explorer::stopWork() {
    if (currentWork == Work::Trace)
        endTrace();
    else if (currentWork != Work::None && engine)
        engine->stop();
}

void Explorer::workEnded() {
    update();
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
