// The main window "Quorvane": it builds the controls and the parts of the
// window, wires each control to the part that owns its handler, and runs
// the start-up, the activation and the end of the program.
#pragma once

#include "window/controls.h"

#include <QWidget>
#include <memory>

namespace quorvane {

class Colori;
class GridSelection;
class HistogramChart;
class JuliaMode;
class PictureExport;
class PlaceLibrary;
class Platform;
class RecentPictures;
class ViewCore;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // engine is the path of QuorC; empty for QuorC in appFolder.
    MainWindow(const QString& appFolder, Platform& platform, const QString& engine = {});
    ~MainWindow() override;

    const Controls& controls() const { return ui; }
    ViewCore& core() const { return *viewCore; }
    GridSelection& grid() const { return *gridSelection; }
    RecentPictures& recent() const { return *recentPictures; }
    PlaceLibrary& library() const { return *placeLibrary; }
    PictureExport& pictureExport() const { return *exporter; }
    JuliaMode& julia() const { return *juliaMode; }
    Colori* colori() const { return coloriWindow.get(); }

    // The start view has been computed and stored.
    bool zStored() const;
    // True while a handler that started work has not yet finished.
    bool busy() const;

    void Form_Load();
    void Form_Activate();
    void Esci_Click();
    void Colors_Click();

  protected:
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;

  private:
    void wireHandlers();
    void coloriClosed();
    // Creates BeiLuoghi and Immagini when missing; false when the library
    // folder cannot be had.
    bool createFolders();

    QString folder;
    Platform& platform;
    Controls ui;
    std::unique_ptr<Colori> coloriWindow;
    std::unique_ptr<ViewCore> viewCore;
    std::unique_ptr<RecentPictures> recentPictures;
    std::unique_ptr<PlaceLibrary> placeLibrary;
    std::unique_ptr<GridSelection> gridSelection;
    std::unique_ptr<HistogramChart> histogramChart;
    std::unique_ptr<PictureExport> exporter;
    std::unique_ptr<JuliaMode> juliaMode;
    bool firstShowDone = false;
};

} // namespace quorvane
