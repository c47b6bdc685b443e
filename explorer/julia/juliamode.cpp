#include "julia/juliamode.h"

#include "library/recentpictures.h"
#include "model/numbertext.h"
#include "model/orbit.h"
#include "model/thumbnails.h"
#include "window/platform.h"
#include "window/sfondo.h"
#include "window/tags.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {
const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
constexpr int LeftButton = 1;
const QColor Yellow(255, 255, 0);
} // namespace

JuliaMode::JuliaMode(const Controls& controls, ViewCore& viewCore,
                     const RecentPictures& recentPictures, Platform& services)
    : ui(controls), core(viewCore), recent(recentPictures), platform(services) {
    setTag(ui.Julia, False);
    setTag(ui.JuliaGo, False);
    setTag(ui.Traccia, False);
}

bool JuliaMode::isOn() const {
    return tagIsTrue(ui.Julia);
}

std::optional<JuliaReady> JuliaMode::ready(bool pictureExported) const {
    if (!isOn())
        return std::nullopt;
    JuliaReady ready = state;
    ready.pictureShown = tagIsTrue(ui.JuliaGo);
    ready.traceShown = tagIsTrue(ui.Traccia);
    ready.pictureExported = pictureExported;
    return ready;
}

void JuliaMode::Julia_Click() {
    if (isOn())
        leave();
    else
        enter();
    hideMarks();
    ui.JuliaZoom->setText(QStringLiteral("1"));
    ui.XXJU->setText(QStringLiteral("0"));
    ui.YYJU->setText(QStringLiteral("0"));
}

void JuliaMode::enter() {
    core.Blocca();
    juliaView = JuliaView{};
    iterSalvate = core.IterMax();
    core.setIterations(100, ui.AutoColor->isChecked());
    state = JuliaReady{};
    ui.frameJulia->show();
    setTag(ui.Julia, True);
    setTag(ui.JuliaGo, False);
    // The mode's ready state: Julia and the picture, which takes the mouse.
    core.Sblocca();
}

void JuliaMode::leave() {
    core.showRecalled(recent.Deposito(0));
    ui.frameJulia->hide();
    setTag(ui.Julia, False);
    core.setIterations(iterSalvate, ui.AutoColor->isChecked());
    core.Sblocca();
}

void JuliaMode::hideMarks() {
    // The pending grid selection's frames go too: they belong to another picture.
    for (Frame f : {Frame::SelectedCell, Frame::SelectedSubCell, Frame::Constant, Frame::Zoom})
        ui.sfondo->hideFrame(f);
    ui.sfondo->setCrossHair({});
}

void JuliaMode::showMarks() {
    ui.sfondo->setFrame(Frame::Constant, {marks.frame, Qt::red, true});
    ui.sfondo->setCrossHair({LineOverlay{marks.crossHair[0], Yellow, true},
                             LineOverlay{marks.crossHair[1], Yellow, true}});
}

void JuliaMode::showConstantAt(int x, int y) {
    const PlanePoint c = planePoint(core.shown(), x, y);
    ui.XXJU->setText(numberText(c.x));
    ui.YYJU->setText(numberText(c.y));
}

void JuliaMode::Sfondo_MouseDown(int button, int /*modifiers*/, int x, int y) {
    if (!isOn() || button != LeftButton || state.constantChosen)
        return;
    showConstantAt(x, y);
}

void JuliaMode::Sfondo_MouseMove(int button, int /*modifiers*/, int x, int y) {
    if (!isOn() || button != LeftButton || state.constantChosen || !insidePicture(x, y))
        return;
    showConstantAt(x, y);
}

void JuliaMode::Sfondo_MouseUp(int button, int /*modifiers*/, int x, int y) {
    if (!isOn() || button != LeftButton || core.busy() || tagIsTrue(ui.Traccia))
        return;
    if (!state.constantChosen) {
        // The constant is where the press or the last move inside the
        // picture put it; the marks go where the button was let go.
        marks = constantMarks(x, y);
        showMarks();
        state.constantChosen = true;
        state.traceAvailable = true;
        setTag(ui.JuliaGo, False);
        core.Sblocca();
        return;
    }
    if (tagIsTrue(ui.JuliaGo) && !state.zoomPending)
        zoomAt(x, y);
}

void JuliaMode::zoomAt(int x, int y) {
    const auto zoomed = zoomedJuliaView(juliaView, x, y);
    if (!zoomed) {
        platform.beep();
        platform.message(ui.window, MaxResolution);
        return;
    }
    juliaView = *zoomed;
    ui.JuliaZoom->setText(numberText(juliaView.zoom));
    // No further click is taken before the run.
    state.zoomPending = true;
    ui.sfondo->setFrame(Frame::Zoom, {zoomFrame(x, y), Qt::red, true});
    QIcon icon(QPixmap::fromImage(zoomThumbnail(ui.sfondo->image(), x, y)));
    icon.addPixmap(QPixmap::fromImage(core.NoIcona()), QIcon::Disabled);
    ui.JuliaGo->setIcon(icon);
    core.Sblocca();
}

void JuliaMode::JuliaGo_Click() {
    hideMarks();
    core.paletteOutOfDate();
    core.longWork([this] {
        const quor::Job job = juliaJob(juliaView.limits, core.IterMax(),
                                       readConstant(ui.XXJU->text(), ui.YYJU->text()));
        std::vector<std::int16_t> counts;
        // The progress keeps its last value after a Julia run.
        const RunOutcome outcome = core.runJob(job, ui.StopJulia, counts, false);
        if (outcome.status == RunStatus::Complete)
            core.showJuliaTable(counts);
        else if (outcome.status == RunStatus::Failed)
            platform.message(ui.window, outcome.error);
        // Also after a stop the picture counts as a Julia picture: a click
        // on it zooms.
        core.setPictureKind(PictureKind::Julia);
        setTag(ui.JuliaGo, True);
        state.zoomPending = false;
        state.traceAvailable = false;
    });
}

void JuliaMode::StopJulia_Click() {
    ui.StopJulia->setEnabled(false);
    core.stopWork();
}

void JuliaMode::Traccia_Click() {
    if (tagIsTrue(ui.Traccia))
        removeTrace();
    else
        core.longWork([this] { drawTrace(); });
}

void JuliaMode::drawTrace() {
    ui.StopTraccia->setEnabled(true);
    setTag(ui.Traccia, True);
    ui.sfondo->setPicture(core.Z());
    ui.sfondo->hideFrame(Frame::Constant);
    ui.sfondo->setCrossHair({});
    core.setPictureKind(PictureKind::Julia);
    OrbitTrace trace(readConstant(ui.XXJU->text(), ui.YYJU->text()));
    ui.N_Tracce->setText(QStringLiteral("0"));
    const QRgb white = toQRgb(Bianco);
    // Every step yields to the window, so that "Stop" (or closing the
    // window) ends the trace within one step, however long it has run.
    while (!core.stopAsked()) {
        const OrbitStep step = trace.next();
        if (step.line)
            core.paintOnPicture(
                QRect(step.line->p1(), step.line->p2()).normalized(),
                [&](QImage& picture) { drawTraceSegment(picture, *step.line, white); });
        ui.N_Tracce->setText(QString::number(trace.steps()));
        QApplication::processEvents();
        if (step.escaped)
            break;
    }
    ui.StopTraccia->setEnabled(false);
}

void JuliaMode::StopTraccia_Click() {
    ui.StopTraccia->setEnabled(false);
    core.stopWork();
}

void JuliaMode::removeTrace() {
    showMarks();
    core.showRecalled(recent.Deposito(0));
    core.setPictureKind(PictureKind::Julia);
    setTag(ui.Traccia, False);
    state.traceAvailable = false;
    core.Sblocca();
}

} // namespace quorvane
