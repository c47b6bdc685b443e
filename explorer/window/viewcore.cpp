#include "window/viewcore.h"

#include "model/areaname.h"
#include "model/numbertext.h"
#include "model/thumbnails.h"
#include "window/platform.h"
#include "window/sfondo.h"
#include "window/tags.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace quorvane {

namespace {
const QString BadName = QStringLiteral("Formato stringa scorretto!");
} // namespace

ViewCore::ViewCore(const Controls& controls, Platform& services, const QString& appFolder,
                   const QString& engine)
    : ui(controls), platform(services), folder(appFolder), engineFile(engine),
      table(std::size_t(DimScreen) * DimScreen, 0),
      black(DimScreen, DimScreen, QImage::Format_RGB32), noIcona(blankThumbnail()) {
    black.fill(Qt::black);
    z = black;
    icona = noIcona;
    setTag(ui.AutoColor, False);
}

void ViewCore::setReadyInputs(std::function<ReadyInputs()> inputs) {
    readyInputs = std::move(inputs);
}

void ViewCore::placeWindow() {
    // The left edge of the screen, as high as the window system allows.
    if (const QScreen* s = ui.window->screen())
        ui.window->move(s->availableGeometry().topLeft());
}

void ViewCore::showLimits() {
    const double v[4] = {limits.xMin, limits.xMax, limits.yMin, limits.yMax};
    for (int i = 0; i < 4; ++i)
        ui.Limite[std::size_t(i)]->setText(numberText(v[i]));
}

bool ViewCore::CalcolaLimiti(const QString& name) {
    const auto decoded = decodeAreaName(name);
    if (!decoded) {
        platform.message(ui.window, BadName);
        return false;
    }
    limits = nextLimits = decoded->limits;
    showLimits();
    ui.Zoom->setText(numberText(decoded->zoom));
    return true;
}

void ViewCore::CreaRampa(const std::function<void(int, Colore)>& onColour) {
    ramp = rampColours(Nero, onColour);
    zIcona = startViewThumbnail(ramp);
    QIcon juliaIcon;
    juliaIcon.addPixmap(QPixmap::fromImage(noIcona), QIcon::Disabled);
    ui.JuliaGo->setIcon(juliaIcon);
    showViewThumbnail(zIcona);
}

void ViewCore::Colora() {
    if (tagIsTrue(ui.AutoColor))
        return;
    fillPalette(ui.AutoColor->isChecked(), iterMax, frequencies, ramp, palette);
    setTag(ui.AutoColor, True);
}

void ViewCore::paletteOutOfDate() {
    setTag(ui.AutoColor, False);
}

void ViewCore::paintTable() {
    paintCounts(table);
}

void ViewCore::paintCounts(const std::vector<std::int16_t>& counts) {
    std::vector<QRgb> colours(std::size_t(iterMax) + 1);
    for (int k = 0; k <= iterMax; ++k)
        colours[std::size_t(k)] = toQRgb(palette[std::size_t(k)]);
    QImage image(DimScreen, DimScreen, QImage::Format_RGB32);
    for (int row = 0; row < DimScreen; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        const std::int16_t* count = counts.data() + row;
        for (int column = 0; column < DimScreen; ++column)
            line[column] = colours[std::size_t(count[std::size_t(column) * DimScreen])];
    }
    ui.sfondo->setPicture(image);
}

// The enabling rule: every command with its state when the window is ready.
// Blocca disables them all; Sblocca applies the rule.
std::vector<std::pair<QWidget*, bool>> ViewCore::readyState() const {
    return readyState(readyInputs());
}

std::vector<std::pair<QWidget*, bool>> ViewCore::readyState(const ReadyInputs& in) const {
    if (in.julia)
        return juliaReadyState(*in.julia);
    // The histogram needs the table of the picture shown; saving and
    // exporting need the picture of the view shown; a blank picture must not
    // be pushed onto the recent pictures by "Attiva".
    const bool table = pictureKind == PictureKind::Computed;
    const bool ownPicture = table || pictureKind == PictureKind::Stored;
    std::vector<std::pair<QWidget*, bool>> rule = {
        {ui.Griglia, true},
        {ui.MenoUna, false},
        {ui.Copia, false},
        {ui.Iterazioni[1], true},
        {ui.IterazOK, true},
        {ui.Istogramma, table},
        {ui.View, true},
        {ui.Ferma, false},
        {ui.AutoColor, true},
        {ui.Colors, true},
        {ui.Esci, true},
        {ui.Julia, true},
        {ui.JuliaGo, false},
        {ui.SalvaJulia, false},
        {ui.Traccia, false},
        {ui.sfondo, false},
        {ui.EndSel, false},
        {ui.AttSel, false},
        {ui.SelImage[0], false},
        {ui.SelImage[1], in.numUltime > 0},
        {ui.SelSave[0], in.previousPlace},
        {ui.SelSave[1], in.nextPlace},
        {ui.Salva, ownPicture && !in.pictureSaved},
        {ui.SalvaFile, ownPicture && !in.pictureExported},
        {ui.Elimina, in.removePlace},
        {ui.Carica, in.activatePlace && pictureKind != PictureKind::None}};
    for (QWidget* m : ui.Mezzo)
        rule.emplace_back(m, false);
    for (QWidget* letter : ui.Lettere)
        rule.emplace_back(letter, false);
    return rule;
}

// Julia mode has its own ready state: the picture takes the mouse, JuliaGo
// runs, and only the commands that concern a Julia picture are offered.
std::vector<std::pair<QWidget*, bool>> ViewCore::juliaReadyState(const JuliaReady& j) const {
    std::vector<std::pair<QWidget*, bool>> rule;
    for (const auto& [control, ready] : readyState(ReadyInputs{}))
        rule.emplace_back(control, false);
    const bool trace = j.traceShown;
    const std::pair<QWidget*, bool> julia[] = {
        {ui.Julia, !trace},
        {ui.sfondo, !trace && !j.zoomPending},
        {ui.JuliaGo, !trace && j.constantChosen},
        {ui.Traccia, trace || j.traceAvailable},
        {ui.SalvaJulia, j.pictureShown && !j.pictureExported},
        {ui.IterazOK, j.pictureShown},
        {ui.Iterazioni[1], j.pictureShown},
        {ui.AutoColor, j.pictureShown},
    };
    for (auto& [control, ready] : rule)
        for (const auto& [c, on] : julia)
            if (control == c)
                ready = on;
    return rule;
}

void ViewCore::Blocca() {
    // The picture too: outside Julia mode it never takes the mouse, and in
    // Julia mode no click may reach it while work runs.
    for (const auto& [control, ready] : readyState())
        control->setEnabled(false);
}

void ViewCore::Sblocca() {
    for (const auto& [control, ready] : readyState())
        control->setEnabled(ready);
    // Blocca took the focus from whatever had it; a new limit can be typed
    // straight away.
    ui.Iterazioni[1]->setFocus();
}

void ViewCore::showViewThumbnail(const QImage& thumbnail) {
    QIcon icon(QPixmap::fromImage(thumbnail));
    icon.addPixmap(QPixmap::fromImage(noIcona), QIcon::Disabled);
    ui.View->setIcon(icon);
}

void ViewCore::resetToStartView() {
    limits = StartView;
    showLimits();
    ui.sfondo->hideFrame(Frame::SelectedCell);
    ui.sfondo->hideFrame(Frame::SelectedSubCell);
    nextLimits = limits;
    tipoScelta = 0;
    ui.RiquadroCorrente->setText(QStringLiteral("Z"));
    ui.Riquadro->clear();
    ui.Zoom->setText(QStringLiteral("1"));
    ui.Cicli->setText(QStringLiteral("0%"));
    ui.Progress->setValue(0);
}

void ViewCore::resetIterations() {
    iterMax = 100;
    ui.Iterazioni[0]->setText(QStringLiteral("100"));
    ui.Iterazioni[1]->setText(QStringLiteral("100"));
    iterEffettive = iterMax;
    ui.AutoColor->setChecked(false);
    // The limit and the choice of palette have just been reset, so a
    // palette left from an earlier picture no longer fits them.
    paletteOutOfDate();
    Colora();
    ui.Cicli->setText(QStringLiteral("0%"));
}

void ViewCore::prepareNext(const Limits& next, int tipo, const QImage& thumbnail) {
    nextLimits = next;
    tipoScelta = tipo;
    icona = thumbnail;
    showViewThumbnail(icona);
}

void ViewCore::dropPending() {
    ui.View->setIcon(QIcon(QPixmap::fromImage(noIcona)));
    tipoScelta = 255;
}

void ViewCore::showStartView() {
    if (!zTag) {
        View_Click();
        z = ui.sfondo->image();
        zTag = true;
    }
    ui.sfondo->setPicture(z);
    showViewThumbnail(zIcona);
    setPictureKind(PictureKind::Stored);
}

void ViewCore::showBlank() {
    ui.sfondo->setPicture(black);
    setPictureKind(PictureKind::None);
}

void ViewCore::showRecalled(const QImage& picture) {
    ui.sfondo->setPicture(picture);
    setPictureKind(PictureKind::Recalled);
}

void ViewCore::setPictureKind(PictureKind kind) {
    pictureKind = kind;
    ++generation;
}

void ViewCore::paintOnPicture(const QRect& area, const std::function<void(QImage&)>& painter) {
    ui.sfondo->paintPicture(area, painter);
}

void ViewCore::setIterations(int limit, bool automatic) {
    iterMax = limit;
    ui.Iterazioni[0]->setText(QString::number(limit));
    ui.Iterazioni[1]->setText(QString::number(limit));
    ui.AutoColor->setChecked(automatic);
    paletteOutOfDate();
}

void ViewCore::preparePlace(const QString& name, const QImage& thumbnail) {
    CalcolaLimiti(name);
    ui.RiquadroCorrente->setText(name);
    // A confirmed grid selection would otherwise be appended to this name.
    ui.Riquadro->clear();
    ui.sfondo->hideFrame(Frame::SelectedCell);
    ui.sfondo->hideFrame(Frame::SelectedSubCell);
    showViewThumbnail(thumbnail);
    tipoScelta = 255;
}

void ViewCore::IterazOK_Click() {
    const double value = leadingNumber(ui.Iterazioni[1]->text());
    // Compare before converting: a huge value must not overflow an int.
    int n;
    if (!(value >= 20.0)) {
        platform.beep();
        n = 20;
    } else if (std::trunc(value) > 32767.0) {
        platform.beep();
        n = 32767;
    } else {
        n = int(std::trunc(value));
    }
    ui.Iterazioni[0]->setText(QString::number(n));
    ui.Iterazioni[1]->setText(QString::number(n));
    iterMax = n;
    paletteOutOfDate();
}

bool ViewCore::longWork(const std::function<void()>& work) {
    if (working)
        return false;
    working = true;
    stopRequested = false;
    Blocca();
    work();
    stopRequested = false;
    Sblocca();
    working = false;
    if (closeRequested) {
        closeRequested = false;
        QTimer::singleShot(0, this, [this] { emit closeAfterWork(); });
    }
    return true;
}

bool ViewCore::requestClose() {
    if (!working)
        return true;
    // Stop the work and clean up first; the window closes when it has ended.
    closeRequested = true;
    stopWork();
    return false;
}

RunOutcome ViewCore::runJob(const quor::Job& job, QPushButton* stop,
                            std::vector<std::int16_t>& counts, bool resetProgress) {
    EngineRunHooks hooks;
    hooks.letEventsThrough = [] { QApplication::processEvents(); };
    hooks.started = [this, stop] {
        placeWindow();
        stop->setEnabled(true);
    };
    hooks.progress = [this](unsigned progress) {
        ui.Cicli->setText(QStringLiteral(" %1%").arg(progress * 100 / PictureSteps));
        if (progress * 100 / PictureSteps <= 100)
            ui.Progress->setValue(int(progress * 100 / PictureSteps));
    };
    bool hourglass = false;
    hooks.pollingEnded = [stop, &hourglass] {
        stop->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        hourglass = true;
    };

    EngineRun engine(platform, folder, engineFile);
    RunOutcome outcome = engine.run(job, stopRequested, hooks, counts);
    if (hourglass)
        QApplication::restoreOverrideCursor();
    if (resetProgress) {
        ui.Cicli->setText(QStringLiteral("0%"));
        ui.Progress->setValue(0);
    }
    QApplication::processEvents();
    if (outcome.status == RunStatus::Complete && stopRequested)
        outcome.status = RunStatus::Stopped;
    return outcome;
}

void ViewCore::View_Click() {
    longWork([this] {
        std::vector<std::int16_t> counts;
        const RunOutcome outcome =
            runJob(viewJob(quor::Quorvane, nextLimits, iterMax), ui.Ferma, counts);
        if (outcome.status == RunStatus::Complete)
            showTable(std::move(counts));
        else if (outcome.status == RunStatus::Failed)
            platform.message(ui.window, outcome.error);
    });
}

void ViewCore::countAndPaint(const std::vector<std::int16_t>& counts) {
    const int cleared = iterMax > PictureSteps ? iterMax : PictureSteps;
    std::fill(frequencies.begin(), frequencies.begin() + cleared + 1, 0);
    for (std::int16_t count : counts)
        ++frequencies[std::size_t(count)];
    Colora();
    paintCounts(counts);
}

void ViewCore::showJuliaTable(const std::vector<std::int16_t>& counts) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    countAndPaint(counts);
    QApplication::restoreOverrideCursor();
}

void ViewCore::showTable(std::vector<std::int16_t>&& counts) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    table = std::move(counts);
    countAndPaint(table);
    iterEffettive = iterMax;

    ui.RiquadroCorrente->setText(nameAfterRun(ui.RiquadroCorrente->text(), ui.Riquadro->text()));
    ui.Riquadro->clear();
    limits = nextLimits;
    showLimits();
    ui.sfondo->hideFrame(Frame::SelectedCell);
    ui.sfondo->hideFrame(Frame::SelectedSubCell);
    if (tipoScelta == 0) {
        ui.Zoom->setText(QStringLiteral("1"));
    } else if (tipoScelta == 144 || tipoScelta == 28) {
        const double factor = tipoScelta == 144 ? 25.0 : 625.0;
        if (auto zoom = numberFromText(ui.Zoom->text()))
            ui.Zoom->setText(numberText(*zoom * factor));
    }
    tipoScelta = 255;
    setPictureKind(PictureKind::Computed);
    emit pictureCompleted(ui.sfondo->image(), ui.RiquadroCorrente->text());
    QApplication::restoreOverrideCursor();
}

} // namespace quorvane
