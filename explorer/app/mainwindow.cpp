// Start-up, the wiring of the controls, the model and the desktop, and the
// end of the program.
#include "app/mainwindow.h"

#include "io/engineclient.h"
#include "io/location.h"
#include "model/explorer.h"
#include "window/colours/colourwindow.h"
#include "window/helpwindow.h"
#include "window/iterationspanel.h"
#include "window/julia/juliapanel.h"
#include "window/julia/tracepanel.h"
#include "window/library/exportpanel.h"
#include "window/library/librarypanel.h"
#include "window/library/recentpanel.h"
#include "window/limitspanel.h"
#include "window/navigation/gridpanel.h"
#include "window/picturepanel.h"
#include "window/platform.h"
#include "window/runpanel.h"
#include "window/sfondo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

namespace quorvane {

namespace {
QString engineFile(const QString& appFolder, const QString& enginePath) {
    return enginePath.isEmpty() ? engineIn(appFolder) : enginePath;
}
} // namespace

MainWindow::MainWindow(const QString& appFolder, Platform& services, const QString& enginePath,
                       const QString& exports)
    : layout(appFolder, exports), platform(services), ui(buildControls(this)),
      engine(std::make_unique<EngineClient>(services, layout.folder(),
                                            engineFile(appFolder, enginePath))),
      exporter(std::make_unique<PictureExport>()), model(std::make_unique<Explorer>()),
      coloriWindow(std::make_unique<Colori>()) {
    exporter->use(services, engineFile(appFolder, enginePath));
    picturePanel = std::make_unique<PicturePanel>(*model, ui.sfondo, ui.View);
    runPanel = std::make_unique<RunPanel>(*model, ui);
    iterationsPanel = std::make_unique<IterationsPanel>(*model, ui);
    limitsPanel = std::make_unique<LimitsPanel>(*model, ui);
    gridPanel = std::make_unique<GridPanel>(*model, ui);
    libraryPanel = std::make_unique<LibraryPanel>(*model, ui);
    recentPanel = std::make_unique<RecentPanel>(*model, ui);
    // A portable copy's questions name its subdirectory Immagini; an
    // installed copy's name the folder where the pictures go.
    exportPanel =
        std::make_unique<ExportPanel>(*model, ui, platform, this, *exporter,
                                      layout.exportsBeside() ? QString() : layout.exports());
    juliaPanel = std::make_unique<JuliaPanel>(*model, ui);
    tracePanel = std::make_unique<TracePanel>(*model, ui);
    wire();
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::wire() {
    Explorer* explorer = model.get();
    connect(explorer, &Explorer::changed, this, [this] {
        applyCommands(ui, model->commands());
        // Work took the keyboard from whatever had it; once it is over a new
        // limit can be typed straight away.
        const bool working = model->work() != Work::None;
        if (wasWorking && !working && ui.Iterazioni[1]->isEnabled())
            ui.Iterazioni[1]->setFocus();
        wasWorking = working;
    });
    connect(explorer, &Explorer::notice, this,
            [this](const QString& text) { platform.message(this, text); });
    connect(explorer, &Explorer::beep, this, [this] { platform.beep(); });
    connect(&explorer->runner(), &Runner::started, this, &MainWindow::placeWindow);
    connect(explorer, &Explorer::closeNow, this, &MainWindow::Esci_Click);
    applyCommands(ui, model->commands());

    explorer->useEngine(*engine);
    explorer->useExports(*exporter);
    // The table read and painted under the wait cursor.
    connect(&explorer->runner(), &Runner::painting, this, [this](bool on) {
        if (on && !waitCursor)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (!on && waitCursor)
            QApplication::restoreOverrideCursor();
        waitCursor = on;
    });

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this, this, &MainWindow::showHelp);
    help->setContext(Qt::ApplicationShortcut);
    // A box that has the keyboard copies its own text first.
    new QShortcut(QKeySequence::Copy, this, picturePanel.get(), &PicturePanel::copyPicture);
    connect(ui.Colors, &QPushButton::clicked, this, &MainWindow::Colors_Click);
    connect(ui.Esci, &QPushButton::clicked, this, &MainWindow::Esci_Click);
    connect(ui.sfondo, &Sfondo::mousePressed, juliaPanel.get(), &JuliaPanel::Sfondo_MouseDown);
    connect(ui.sfondo, &Sfondo::mouseMoved, juliaPanel.get(), &JuliaPanel::Sfondo_MouseMove);
    connect(ui.sfondo, &Sfondo::mouseReleased, juliaPanel.get(), &JuliaPanel::Sfondo_MouseUp);
    connect(coloriWindow.get(), &Colori::closed, this, [this] {
        setEnabled(true);
        activateWindow();
    });
}

void MainWindow::placeWindow() {
    // The left edge of the screen, as high as the window system allows.
    if (const QScreen* s = screen())
        move(s->availableGeometry().topLeft());
}

bool MainWindow::createFolders() {
    bool libraryFolderUsable = true;
    for (const QString& dir : layout.madeAtStart()) {
        if (QDir(dir).exists() || QDir().mkpath(dir))
            continue;
        platform.message(this, QStringLiteral("Impossibile creare la cartella:\n") +
                                   QDir::toNativeSeparators(dir));
        if (dir == layout.library())
            libraryFolderUsable = false;
    }
    return libraryFolderUsable;
}

void MainWindow::Form_Load() {
    placeWindow();
    Colori* legend = coloriWindow.get();
    legend->show();
    model->buildRamp([legend](int index, Colore c) { legend->setLineColour(index, c); });
    legend->hide();
    const bool usable = createFolders();
    model->loadLibrary(layout.library(), usable, layout.exports());
}

void MainWindow::Esci_Click() {
    coloriWindow->hide();
    close();
}

void MainWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!firstShowDone) {
        firstShowDone = true;
        // The first activation computes the start view; it runs once the
        // window is on the screen so the user sees the progress.
        QTimer::singleShot(0, this, [this] { model->activate(); });
    }
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!model->requestClose()) {
        e->ignore();
        return;
    }
    coloriWindow->hide();
    if (helpWindow)
        helpWindow->close();
    e->accept();
}

void MainWindow::showHelp() {
    if (!helpWindow)
        helpWindow = std::make_unique<HelpWindow>(layout.library(), layout.exports());
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}

void MainWindow::Colors_Click() {
    setEnabled(false);
    coloriWindow->show();
    coloriWindow->raise();
    coloriWindow->update();
}

} // namespace quorvane
