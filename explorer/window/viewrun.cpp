// Long work and the run of one view through the engine: the protocol that
// every run goes through, and the painting of a completed table.
#include "navigation/areaname.h"
#include "window/numbertext.h"
#include "window/platform.h"
#include "window/sfondo.h"
#include "window/viewcore.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace quorvane {

void ViewCore::waitForEvents(int milliseconds) {
    // Waiting here, rather than spinning, leaves every core to the engine.
    if (milliseconds <= 0) {
        QApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ViewCore::longWork(const std::function<void()>& work) {
    if (working)
        return false;
    working = true;
    inCorso = true;
    Blocca();
    work();
    inCorso = false;
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
    hooks.waitForEvents = [this](int ms) { waitForEvents(ms); };
    hooks.started = [this, stop] {
        placeWindow();
        stop->setEnabled(true);
    };
    hooks.progress = [this](unsigned progress) {
        ui.Cicli->setText(QStringLiteral(" %1%").arg(progress * 100 / 723));
        if (progress * 100 / 723 <= 100)
            ui.Progress->setValue(int(progress * 100 / 723));
    };
    bool hourglass = false;
    hooks.pollingEnded = [stop, &hourglass] {
        stop->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        hourglass = true;
    };

    inCorso = true;
    EngineRun engine(platform, folder, engineFile);
    RunOutcome outcome = engine.run(job, inCorso, hooks, counts);
    if (hourglass)
        QApplication::restoreOverrideCursor();
    if (resetProgress) {
        ui.Cicli->setText(QStringLiteral("0%"));
        ui.Progress->setValue(0);
    }
    QApplication::processEvents();
    if (outcome.status == RunStatus::Complete && !inCorso)
        outcome.status = RunStatus::Stopped;
    inCorso = false;
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
    const int cleared = iterMax > 723 ? iterMax : 723;
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
    ui.sfondo->hideFrame(FrameName::Quad1, 1);
    ui.sfondo->hideFrame(FrameName::Quad2, 1);
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
