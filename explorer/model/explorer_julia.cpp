// Julia mode: the constant picked with the mouse, the Julia run, its zoom by
// clicks, and the orbit of the constant drawn over the start view.
#include "model/explorer.h"

#include "domain/painting.h"

namespace quorvane {

void Explorer::toggleJulia() {
    if (!commands().Julia)
        return;
    if (mainMode == MainMode::Julia) {
        if (juliaMode.state().stage == JuliaStage::TraceShown)
            return;
        // The picture of the Quorvane set comes back with its limit.
        mainMode = MainMode::Ready;
        colours.setLimit(juliaMode.leave());
    } else if (mainMode == MainMode::Ready) {
        mainMode = MainMode::Julia;
        juliaMode.enter(colours.iterMax());
        colours.setLimit(100);
    }
    announce();
}

void Explorer::pressAt(int x, int y) {
    if (!commands().Sfondo || juliaMode.state().stage != JuliaStage::NoConstant)
        return;
    // The constant is held as its shown text reads back, so that the job
    // carries what the user sees.
    juliaMode.pick(planePoint(where.view().limits, x, y));
    announce();
}

void Explorer::releaseAt(int x, int y) {
    if (!commands().Sfondo)
        return;
    switch (juliaMode.release(x, y, screen())) {
    case JuliaSession::Release::Nothing:
        return;
    case JuliaSession::Release::ZoomRefused:
        return refuseZoom();
    case JuliaSession::Release::ConstantChosen:
    case JuliaSession::Release::Zoomed:
        return announce();
    }
}

void Explorer::runJulia() {
    if (!commands().JuliaGo || !engine)
        return;
    colours.viewChosen();
    startRun(Work::JuliaRun, juliaMode.job(colours.iterMax()));
}

void Explorer::toggleTrace() {
    if (!commands().Traccia)
        return;
    if (juliaMode.state().stage == JuliaStage::TraceShown) {
        juliaMode.removeTrace();
        return announce();
    }
    if (!juliaMode.state().traceAvailable)
        return;
    currentWork = Work::Trace;
    const auto& start = pictures.startView();
    juliaMode.startTrace(start ? start->image : Picture::blank({}, 0).image, colours.iterMax());
    announce();
}

} // namespace quorvane
