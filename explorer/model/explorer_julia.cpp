// Julia mode: the constant picked with the mouse, the Julia run, its zoom by
// clicks, and the orbit of the constant drawn over the start view.
#include "model/explorer.h"

namespace quorvane {

// Leaving, the picture of the Quorvane set comes back with its limit.
void Explorer::toggleJulia() {
    const bool leaving = mainMode == MainMode::Julia;
    offer(commands().Julia && juliaMode.state().stage != JuliaStage::TraceShown, [&] {
        if (!leaving)
            juliaMode.enter(colours.iterMax());
        colours.setLimit(leaving ? juliaMode.leave() : 100);
        mainMode = leaving ? MainMode::Ready : MainMode::Julia;
    });
}

// The constant is held as its shown text reads back, so that the job carries
// what the user sees; on a deep picture the sample's exact point is kept
// for the trace, whose orbit doubles would lose.
void Explorer::pressAt(int x, int y) {
    offer(commands().Sfondo && juliaMode.state().stage == JuliaStage::NoConstant,
          [&] { juliaMode.pick(where.view().pointAt(x, y), deepSample(where.view(), x, y)); });
}

void Explorer::releaseAt(int x, int y) {
    offer(commands().Sfondo, [&] {
        if (juliaMode.release(x, y, screen()) == JuliaSession::Release::ZoomRefused)
            refuseZoom();
    });
}

void Explorer::runJulia() {
    if (!commands().JuliaGo || !runs.ready())
        return;
    colours.viewChosen();
    startRun(Work::JuliaRun, juliaMode.job(colours.iterMax()));
}

// A second "Traccia" removes the trace.
void Explorer::toggleTrace() {
    const JuliaState& julia = juliaMode.state();
    const bool shown = julia.stage == JuliaStage::TraceShown;
    offer(commands().Traccia && (shown || julia.traceAvailable), [&] {
        if (shown)
            return juliaMode.removeTrace();
        currentWork = Work::Trace;
        const auto& start = pictures.startView();
        juliaMode.startTrace(start ? start->image : Picture::blank({}, 0).image, colours.iterMax());
    });
}

} // namespace quorvane
