#include "model/juliasession.h"

#include "domain/numbertext.h"
#include "domain/palette.h"
#include "domain/thumbnails.h"

namespace quorvane {

JuliaSession::JuliaSession(const QImage& blank, QObject* parent)
    : QObject(parent), blankIcon(blank), icon(blank) {
    // One step of a trace at a time, with the window's events between.
    traceTimer.setInterval(0);
    connect(&traceTimer, &QTimer::timeout, this, &JuliaSession::traceStep);
}

std::optional<QImage> JuliaSession::screen() const {
    if (julia.trace)
        return julia.trace->image;
    if (julia.picture)
        return julia.picture->image;
    return std::nullopt;
}

void JuliaSession::enter(int limit) {
    julia = JuliaState{};
    julia.savedLimit = limit;
}

int JuliaSession::leave() {
    const int limit = julia.savedLimit;
    julia = JuliaState{};
    return limit;
}

void JuliaSession::pick(const PlanePoint& c, const std::optional<ExactPoint>& exact) {
    julia.xText = numberText(c.x);
    julia.yText = numberText(c.y);
    julia.constant = readConstant(julia.xText, julia.yText);
    julia.exact = exact;
}

JuliaSession::Release JuliaSession::release(int x, int y, const QImage& screen) {
    switch (julia.stage) {
    case JuliaStage::NoConstant:
        // The constant is where the press or the last move inside the
        // picture put it; the marks go where the button was let go.
        julia.marks = constantMarks(x, y);
        julia.stage = JuliaStage::ConstantChosen;
        julia.traceAvailable = true;
        return Release::ConstantChosen;
    case JuliaStage::PictureShown: {
        const auto zoomed = zoomedJuliaView(julia.view, x, y);
        if (!zoomed)
            return Release::ZoomRefused;
        julia.view = *zoomed;
        julia.stage = JuliaStage::ZoomPending;
        julia.zoomFrame = zoomFrame(x, y);
        icon = zoomThumbnail(screen, x, y);
        return Release::Zoomed;
    }
    case JuliaStage::ConstantChosen:
    case JuliaStage::ZoomPending:
    case JuliaStage::TraceShown:
        break;
    }
    return Release::Nothing;
}

quor::Job JuliaSession::job(int nmax) const {
    return juliaJob(julia.view.limits, nmax, julia.constant);
}

void JuliaSession::runEnded(const std::optional<Painting>& painted, const View& shown) {
    if (painted)
        julia.picture = Picture{painted->image, newPictureId(),
                                shown,          JuliaSubject{julia.view, julia.constant},
                                painted->limit, painted->palette};
    julia.stage = JuliaStage::PictureShown;
    julia.traceAvailable = false;
}

void JuliaSession::startTrace(const QImage& start, int limit) {
    julia.stage = JuliaStage::TraceShown;
    julia.trace = Picture{start, newPictureId(), {}, std::nullopt, limit, nullptr};
    julia.traceSteps = 0;
    if (julia.exact)
        orbit.emplace(std::in_place_type<ExactOrbitTrace>, *julia.exact);
    else
        orbit.emplace(std::in_place_type<OrbitTrace>, julia.constant);
    traceTimer.start();
}

// One step of the orbit, drawn in white; "Stop" or the orbit leaving the
// square ends the trace.
void JuliaSession::traceStep() {
    if (!orbit)
        return;
    const std::optional<OrbitStep> step =
        std::visit([](auto& o) -> std::optional<OrbitStep> { return o.next(); }, *orbit);
    // An exact orbit that no precision can follow further ends there.
    if (!step)
        return stopTrace();
    if (step->line) {
        drawTraceSegment(julia.trace->image, *step->line, toQRgb(Bianco));
        emit screenPainted(QRect(step->line->p1(), step->line->p2()).normalized());
    }
    julia.traceSteps = std::visit([](const auto& o) { return o.steps(); }, *orbit);
    emit traceStepped();
    if (step->escaped)
        stopTrace();
}

void JuliaSession::stopTrace() {
    if (!orbit)
        return;
    traceTimer.stop();
    orbit.reset();
    emit traceEnded();
}

void JuliaSession::removeTrace() {
    julia.trace.reset();
    julia.stage = JuliaStage::ConstantChosen;
    julia.traceAvailable = false;
}

} // namespace quorvane
