// Julia mode: the constant picked with the mouse, the Julia run, its zoom by
// clicks, and the orbit of the constant drawn over the start view.
#include "model/explorer.h"

#include "model/numbertext.h"
#include "model/painting.h"
#include "model/thumbnails.h"

namespace quorvane {

namespace {
const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
} // namespace

void Explorer::toggleJulia() {
    if (!commands().Julia)
        return;
    if (mainMode == MainMode::Julia) {
        if (juliaState.stage == JuliaStage::TraceShown)
            return;
        // The picture of the Quorvane set comes back with its limit.
        mainMode = MainMode::Ready;
        limit = juliaState.savedLimit;
        paletteCurrent = false;
        juliaState = JuliaState{};
    } else if (mainMode == MainMode::Ready) {
        mainMode = MainMode::Julia;
        juliaState = JuliaState{};
        juliaState.savedLimit = limit;
        limit = 100;
        paletteCurrent = false;
    }
    update();
}

void Explorer::pressAt(int x, int y) {
    if (!commands().Sfondo || juliaState.stage != JuliaStage::NoConstant)
        return;
    // The constant is held as its shown text reads back, so that the job
    // carries what the user sees.
    const PlanePoint c = planePoint(shown.limits, x, y);
    juliaState.xText = numberText(c.x);
    juliaState.yText = numberText(c.y);
    juliaState.constant = readConstant(juliaState.xText, juliaState.yText);
    update();
}

void Explorer::dragTo(int x, int y) {
    if (insidePicture(x, y))
        pressAt(x, y);
}

void Explorer::releaseAt(int x, int y) {
    if (!commands().Sfondo)
        return;
    switch (juliaState.stage) {
    case JuliaStage::NoConstant:
        // The constant is where the press or the last move inside the
        // picture put it; the marks go where the button was let go.
        juliaState.marks = constantMarks(x, y);
        juliaState.stage = JuliaStage::ConstantChosen;
        juliaState.traceAvailable = true;
        update();
        return;
    case JuliaStage::PictureShown:
        zoomAt(x, y);
        return;
    case JuliaStage::ConstantChosen:
    case JuliaStage::ZoomPending:
    case JuliaStage::TraceShown:
        return;
    }
}

void Explorer::zoomAt(int x, int y) {
    const auto zoomed = zoomedJuliaView(juliaState.view, x, y);
    if (!zoomed) {
        emit beep();
        emit notice(MaxResolution);
        return;
    }
    juliaState.view = *zoomed;
    juliaState.stage = JuliaStage::ZoomPending;
    juliaState.zoomFrame = zoomFrame(x, y);
    juliaIcon = zoomThumbnail(screen(), x, y);
    update();
}

void Explorer::runJulia() {
    if (!commands().JuliaGo)
        return;
    currentWork = Work::JuliaRun;
    paletteCurrent = false;
    std::vector<std::int16_t> result;
    const RunOutcome outcome =
        runEngine(juliaJob(juliaState.view.limits, limit, juliaState.constant), result);
    currentWork = Work::None;
    if (outcome.status == RunStatus::Complete) {
        // The counts and the palette now describe the Julia picture; the
        // table of the picture of the Quorvane set stays.
        auto frequencies = std::make_unique<Frequencies>();
        countSamples(result, limit, *frequencies);
        colora(*frequencies);
        juliaState.picture = Picture{paintCounts(result, *colours, limit), newId(), {}, limit};
    } else if (outcome.status == RunStatus::Failed) {
        emit notice(outcome.error);
    }
    // Also after a stop the picture counts as a Julia picture: a click zooms.
    juliaState.stage = JuliaStage::PictureShown;
    juliaState.traceAvailable = false;
    workEnded();
}

void Explorer::toggleTrace() {
    if (!commands().Traccia)
        return;
    if (juliaState.stage == JuliaStage::TraceShown) {
        juliaState.trace.reset();
        juliaState.stage = JuliaStage::ConstantChosen;
        juliaState.traceAvailable = false;
        update();
        return;
    }
    if (!juliaState.traceAvailable)
        return;
    drawTrace();
}

void Explorer::drawTrace() {
    currentWork = Work::Trace;
    stopRequested = false;
    juliaState.stage = JuliaStage::TraceShown;
    juliaState.trace = Picture{startView ? startView->image : black, newId(), {}, limit};
    juliaState.traceSteps = 0;
    update();
    OrbitTrace trace(juliaState.constant);
    const QRgb white = toQRgb(Bianco);
    // Every step lets the window's events through, so that "Stop" (or
    // closing the window) ends the trace within one step.
    while (!stopRequested) {
        const OrbitStep step = trace.next();
        if (step.line) {
            drawTraceSegment(juliaState.trace->image, *step.line, white);
            emit screenPainted(QRect(step.line->p1(), step.line->p2()).normalized());
        }
        juliaState.traceSteps = trace.steps();
        emit traceStepped();
        if (pump)
            pump();
        if (step.escaped)
            break;
    }
    currentWork = Work::None;
    workEnded();
}

} // namespace quorvane
