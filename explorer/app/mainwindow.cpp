// Start-up, activation, the wiring of the controls and the end of the program.
#include "app/mainwindow.h"
#include "colours/colourwindow.h"
#include "julia/juliamode.h"
#include "library/pictureexport.h"
#include "library/placelibrary.h"
#include "library/recentpictures.h"
#include "model/location.h"
#include "navigation/gridselection.h"
#include "window/histogramchart.h"
#include "window/platform.h"
#include "window/sfondo.h"
#include "window/tags.h"
#include "window/viewcore.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QPushButton>
#include <QTimer>

namespace quorvane {

MainWindow::MainWindow(const QString& appFolder, Platform& services, const QString& engine)
    : folder(appFolder), platform(services), ui(buildControls(this)) {
    viewCore = std::make_unique<ViewCore>(ui, platform, folder,
                                          engine.isEmpty() ? engineIn(appFolder) : engine);
    recentPictures = std::make_unique<RecentPictures>(ui, *viewCore);
    placeLibrary = std::make_unique<PlaceLibrary>(ui, *viewCore, *recentPictures, platform,
                                                  folder + QStringLiteral("/BeiLuoghi"));
    gridSelection = std::make_unique<GridSelection>(ui, *viewCore, *recentPictures, platform);
    histogramChart = std::make_unique<HistogramChart>(
        ui, *viewCore, [this] { return recentPictures->Deposito(0); });
    exporter = std::make_unique<PictureExport>(ui, *viewCore, platform, folder);
    juliaMode = std::make_unique<JuliaMode>(ui, *viewCore, *recentPictures, platform);
    viewCore->setReadyInputs([this] {
        const LibraryCommands places = placeLibrary->places().commands();
        ReadyInputs in;
        in.numUltime = recentPictures->NumUltime();
        in.previousPlace = places.previous;
        in.nextPlace = places.next;
        in.activatePlace = places.activate;
        in.removePlace = places.remove;
        in.pictureSaved = placeLibrary->pictureSaved();
        in.pictureExported = exporter->pictureExported();
        in.julia = juliaMode->ready(exporter->pictureExported());
        return in;
    });
    setTag(this, QStringLiteral("0"));
    coloriWindow = std::make_unique<Colori>();
    wireHandlers();
    Form_Load();
}

MainWindow::~MainWindow() = default;

bool MainWindow::zStored() const {
    return viewCore->zStored();
}

bool MainWindow::busy() const {
    return viewCore->busy();
}

void MainWindow::wireHandlers() {
    ViewCore* core = viewCore.get();
    connect(ui.View, &QPushButton::clicked, core, &ViewCore::View_Click);
    connect(ui.Ferma, &QPushButton::clicked, core, &ViewCore::Ferma_Click);
    connect(ui.IterazOK, &QPushButton::clicked, core, &ViewCore::IterazOK_Click);
    connect(ui.AutoColor, &QCheckBox::clicked, core, &ViewCore::AutoColor_Click);
    connect(ui.Istogramma, &QPushButton::clicked, histogramChart.get(),
            &HistogramChart::Istogramma_Click);
    connect(ui.Colors, &QPushButton::clicked, this, &MainWindow::Colors_Click);
    connect(ui.Esci, &QPushButton::clicked, this, &MainWindow::Esci_Click);
    connect(core, &ViewCore::pictureCompleted, this,
            [this](const QImage& picture, const QString& name) {
                recentPictures->push(picture, name);
            });
    connect(core, &ViewCore::closeAfterWork, this, &MainWindow::Esci_Click);

    GridSelection* grid = gridSelection.get();
    connect(ui.Griglia, &QPushButton::clicked, grid, &GridSelection::Griglia_Click);
    for (int i = 0; i < 25; ++i)
        connect(ui.Lettere[std::size_t(i)], &QPushButton::clicked, grid,
                [grid, i] { grid->Lettere_Click(i); });
    for (int i = 0; i < 5; ++i)
        connect(ui.Mezzo[std::size_t(i)], &QPushButton::clicked, grid,
                [grid, i] { grid->Mezzo_Click(i); });
    connect(ui.MenoUna, &QPushButton::clicked, grid, &GridSelection::MenoUna_Click);
    connect(ui.Copia, &QPushButton::clicked, grid, &GridSelection::Copia_Click);
    connect(grid, &GridSelection::startOver, this, &MainWindow::Form_Load);

    PlaceLibrary* library = placeLibrary.get();
    connect(ui.Salva, &QPushButton::clicked, library, &PlaceLibrary::Salva_Click);
    connect(ui.Carica, &QPushButton::clicked, library, &PlaceLibrary::Carica_Click);
    connect(ui.Elimina, &QPushButton::clicked, library, &PlaceLibrary::Elimina_Click);
    RecentPictures* recent = recentPictures.get();
    connect(ui.AttSel, &QPushButton::clicked, recent, &RecentPictures::AttSel_Click);
    connect(ui.EndSel, &QPushButton::clicked, recent, &RecentPictures::EndSel_Click);
    for (int i = 0; i < 2; ++i) {
        connect(ui.SelSave[std::size_t(i)], &QPushButton::clicked, library,
                [library, i] { library->SelSave_Click(i); });
        connect(ui.SelImage[std::size_t(i)], &QPushButton::clicked, recent,
                [recent, i] { recent->SelImage_Click(i); });
    }
    connect(ui.SalvaFile, &QPushButton::clicked, exporter.get(), &PictureExport::SalvaFile_Click);
    connect(ui.SalvaJulia, &QPushButton::clicked, exporter.get(), &PictureExport::SalvaJulia_Click);

    JuliaMode* julia = juliaMode.get();
    connect(ui.Julia, &QPushButton::clicked, julia, &JuliaMode::Julia_Click);
    connect(ui.JuliaGo, &QPushButton::clicked, julia, &JuliaMode::JuliaGo_Click);
    connect(ui.StopJulia, &QPushButton::clicked, julia, &JuliaMode::StopJulia_Click);
    connect(ui.Traccia, &QPushButton::clicked, julia, &JuliaMode::Traccia_Click);
    connect(ui.StopTraccia, &QPushButton::clicked, julia, &JuliaMode::StopTraccia_Click);
    connect(ui.sfondo, &Sfondo::mousePressed, julia, &JuliaMode::Sfondo_MouseDown);
    connect(ui.sfondo, &Sfondo::mouseMoved, julia, &JuliaMode::Sfondo_MouseMove);
    connect(ui.sfondo, &Sfondo::mouseReleased, julia, &JuliaMode::Sfondo_MouseUp);

    connect(coloriWindow.get(), &Colori::closed, this, &MainWindow::coloriClosed);
}

bool MainWindow::createFolders() {
    bool libraryFolderUsable = true;
    for (const char* name : {"BeiLuoghi", "Immagini"}) {
        const QString dir = folder + QLatin1Char('/') + QLatin1String(name);
        if (QDir(dir).exists() || QDir().mkpath(dir))
            continue;
        platform.message(this, QStringLiteral("Impossibile creare la cartella:\n") +
                                   QDir::toNativeSeparators(dir));
        if (QLatin1String(name) == QLatin1String("BeiLuoghi"))
            libraryFolderUsable = false;
    }
    return libraryFolderUsable;
}

void MainWindow::Form_Load() {
    const bool reentry = tagIsTrue(this);
    if (!reentry) {
        viewCore->placeWindow();
        Colori* legend = coloriWindow.get();
        legend->show();
        viewCore->CreaRampa([legend](int index, Colore c) { legend->setLineColour(index, c); });
        legend->hide();
        placeLibrary->load(createFolders());
    }
    viewCore->resetToStartView();
    gridSelection->reset();
    if (reentry) {
        setTag(coloriWindow.get(), False);
        Form_Activate();
    }
}

void MainWindow::Form_Activate() {
    if (tagIsTrue(coloriWindow.get())) {
        setTag(this, True);
        return;
    }
    viewCore->Blocca();
    if (tagIsTrue(this))
        recentPictures->push(viewCore->Z(), QStringLiteral("Z"));
    viewCore->resetIterations();
    viewCore->showStartView();
    recentPictures->setCurrent(viewCore->Z());
    viewCore->Sblocca();
    setTag(this, True);
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
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
    }
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (!viewCore->requestClose()) {
        e->ignore();
        return;
    }
    coloriWindow->hide();
    e->accept();
}

void MainWindow::Colors_Click() {
    setEnabled(false);
    coloriWindow->show();
    coloriWindow->raise();
    coloriWindow->update();
}

void MainWindow::coloriClosed() {
    setEnabled(true);
    activateWindow();
    Form_Activate();
}

} // namespace quorvane
