// The main window "Quorvane": it builds the controls, the explorer's state
// and the panels of each frame, and wires them to each other and to the
// desktop; it runs the start-up and the end of the program.
#pragma once

#include "io/folderlayout.h"
#include "window/controls.h"

#include <QWidget>
#include <memory>

namespace quorvane {

class Colori;
class EngineClient;
class Explorer;
class HelpWindow;
class ExportPanel;
class GridPanel;
class IterationsPanel;
class JuliaPanel;
class LibraryPanel;
class LimitsPanel;
class PictureExport;
class PicturePanel;
class Platform;
class RecentPanel;
class RunPanel;
class TracePanel;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // enginePath is that of QuorC, empty for QuorC in appFolder; exports is
    // where pictures are exported, empty for Immagini in appFolder.
    MainWindow(const QString& appFolder, Platform& platform, const QString& enginePath = {},
               const QString& exports = {});
    ~MainWindow() override;

    const Controls& controls() const { return ui; }
    const Explorer& explorer() const { return *model; }
    const ExportPanel& exports() const { return *exportPanel; }
    Colori* colori() const { return coloriWindow.get(); }
    HelpWindow* help() const { return helpWindow.get(); }

    void Esci_Click();
    void Colors_Click();
    // F1: the guide, not modal, in every mode.
    void showHelp();

  protected:
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;

  private:
    void Form_Load();
    void wire();
    void placeWindow();
    // Creates the folders of the layout that are made at the start, when
    // missing; false when the library folder cannot be had.
    bool createFolders();

    FolderLayout layout;
    Platform& platform;
    Controls ui;
    std::unique_ptr<EngineClient> engine;
    std::unique_ptr<PictureExport> exporter;
    std::unique_ptr<Explorer> model;
    std::unique_ptr<Colori> coloriWindow;
    std::unique_ptr<HelpWindow> helpWindow;
    std::unique_ptr<PicturePanel> picturePanel;
    std::unique_ptr<RunPanel> runPanel;
    std::unique_ptr<IterationsPanel> iterationsPanel;
    std::unique_ptr<LimitsPanel> limitsPanel;
    std::unique_ptr<GridPanel> gridPanel;
    std::unique_ptr<LibraryPanel> libraryPanel;
    std::unique_ptr<RecentPanel> recentPanel;
    std::unique_ptr<ExportPanel> exportPanel;
    std::unique_ptr<JuliaPanel> juliaPanel;
    std::unique_ptr<TracePanel> tracePanel;
    bool firstShowDone = false;
    bool wasWorking = false;
    bool waitCursor = false;
};

} // namespace quorvane
