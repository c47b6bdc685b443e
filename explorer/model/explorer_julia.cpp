// Julia mode: the constant picked with the mouse, the Julia run, its zoom by
// clicks, and the orbit of the constant drawn over the start view.
#include "model/explorer.h"

#include "domain/numbertext.h"
#include "domain/painting.h"
#include "domain/thumbnails.h"

namespace quorvane {

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
    emit limitSet();
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
        refuseZoom();
        return;
    }
    juliaState.view = *zoomed;
    juliaState.stage = JuliaStage::ZoomPending;
    juliaState.zoomFrame = zoomFrame(x, y);
    juliaIcon = zoomThumbnail(screen(), x, y);
    update();
}

void Explorer::runJulia() {
    if (!commands().JuliaGo || !engine)
        return;
    paletteCurrent = false;
    startRun(Work::JuliaRun, juliaJob(juliaState.view.limits, limit, juliaState.constant));
}

// The counts and the palette now describe the Julia picture; the table of
// the picture of the Quorvane set stays.
void Explorer::acceptJulia(const std::vector<std::int16_t>& result) {
    auto frequencies = std::make_unique<Frequencies>();
    countSamples(result, limit, *frequencies);
    colora(*frequencies);
    juliaState.picture = Picture{paintCounts(result, *colours, limit), newId(), {}, limit};
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
    juliaState.stage = JuliaStage::TraceShown;
    juliaState.trace = Picture{startView ? startView->image : black, newId(), {}, limit};
    juliaState.traceSteps = 0;
    orbit.emplace(juliaState.constant);
    update();
    traceTimer.start();
}

// One step of the orbit, drawn in white; "Stop" or the orbit leaving the
// square ends the trace.
void Explorer::traceStep() {
    if (!orbit)
        return;
    const OrbitStep step = orbit->next();
    if (step.line) {
        drawTraceSegment(juliaState.trace->image, *step.line, toQRgb(Bianco));
        emit screenPainted(QRect(step.line->p1(), step.line->p2()).normalized());
    }
    juliaState.traceSteps = orbit->steps();
    emit traceStepped();
    if (step.escaped)
        endTrace();
}

void Explorer::endTrace() {
    traceTimer.stop();
    orbit.reset();
    currentWork = Work::None;
    workEnded();
}

} // namespace quorvane
