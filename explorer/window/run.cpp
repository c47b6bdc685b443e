// The run of one view through the engine, and the painting of its table.
#include "window/enginerun.h"
#include "window/mainwindow.h"
#include "window/numbertext.h"
#include "window/thumbnails.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace quorvane {

void MainWindow::waitForEvents(int milliseconds) {
    // Waiting here, rather than spinning, leaves every core to the engine.
    if (milliseconds <= 0) {
        QApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void MainWindow::View_Click() {
    if (running)
        return;
    running = true;
    Blocca();

    quor::Job job;
    job.tipo = quor::Quorvane;
    job.xa = NuovoXMin;
    job.xb = NuovoXMax;
    job.ya = NuovoYMin;
    job.yb = NuovoYMax;
    job.nmax = IterMax;

    EngineRunHooks hooks;
    hooks.waitForEvents = [this](int ms) { waitForEvents(ms); };
    hooks.started = [this] {
        placeWindow();
        Ferma->setEnabled(true);
    };
    hooks.progress = [this](unsigned progress) {
        Cicli->setText(QStringLiteral(" %1%").arg(progress * 100 / 723));
        if (progress * 100 / 723 <= 100)
            Progress->setValue(int(progress * 100 / 723));
    };
    bool hourglass = false;
    hooks.pollingEnded = [this, &hourglass] {
        Ferma->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        hourglass = true;
    };

    InCorso = true;
    std::vector<std::int16_t> table;
    EngineRun engine(platform, folder, engineFile);
    const RunOutcome outcome = engine.run(job, InCorso, hooks, table);
    if (hourglass)
        QApplication::restoreOverrideCursor();

    Cicli->setText(QStringLiteral("0%"));
    Progress->setValue(0);
    QApplication::processEvents();

    if (outcome.status == RunStatus::Complete && InCorso) {
        InCorso = false;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Tavola = std::move(table);
        const int cleared = IterMax > 723 ? IterMax : 723;
        std::fill(Frequenze.begin(), Frequenze.begin() + cleared + 1, 0);
        for (std::int16_t count : Tavola)
            ++Frequenze[std::size_t(count)];
        Colora();
        paintTable();
        IterEffettive = IterMax;

        RiquadroCorrente->setText(nameAfterRun(RiquadroCorrente->text(), Riquadro->text()));
        Riquadro->clear();

        XMin = NuovoXMin;
        XMax = NuovoXMax;
        YMin = NuovoYMin;
        YMax = NuovoYMax;
        showLimits();
        sfondo->Quad1[1].visible = false;
        sfondo->Quad2[1].visible = false;
        if (TipoScelta == 0) {
            Zoom->setText(QStringLiteral("1"));
        } else if (TipoScelta == 144 || TipoScelta == 28) {
            const double factor = TipoScelta == 144 ? 25.0 : 625.0;
            if (auto zoom = numberFromText(Zoom->text()))
                Zoom->setText(numberText(*zoom * factor));
        }
        TipoScelta = 255;
        PushRecent(sfondo->image(), RiquadroCorrente->text());
        sfondo->update();
        QApplication::restoreOverrideCursor();
    }
    InCorso = false;

    if (outcome.status == RunStatus::Failed)
        platform.message(this, outcome.error);
    Sblocca();
    running = false;
    if (closeRequested)
        QTimer::singleShot(0, this, [this] { Esci_Click(); });
}

void MainWindow::Ferma_Click() {
    InCorso = false;
}

void MainWindow::paintTable() {
    std::vector<QRgb> colours(std::size_t(IterMax) + 1);
    for (int k = 0; k <= IterMax; ++k)
        colours[std::size_t(k)] = toQRgb(ColoreIter[std::size_t(k)]);
    QImage& image = sfondo->pixels();
    for (int row = 0; row < Sfondo::Side; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        const std::int16_t* count = Tavola.data() + row;
        for (int column = 0; column < Sfondo::Side; ++column)
            line[column] = colours[std::size_t(count[std::size_t(column) * Sfondo::Side])];
    }
    sfondo->pixelsChanged();
}

void MainWindow::PushRecent(const QImage& picture, const QString& name) {
    if (NumUltime < 10) {
        ++NumUltime;
        LastImage->setText(QStringLiteral("0/%1").arg(NumUltime));
    }
    for (int k = NumUltime; k >= 1; --k) {
        Deposito[k] = Deposito[k - 1];
        PercorsiUltime[k] = PercorsiUltime[k - 1];
    }
    Deposito[0] = picture;
    PercorsiUltime[0] = name;
}

} // namespace quorvane
