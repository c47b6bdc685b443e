// The two "File" buttons: the picture shown exported under its area name,
// and a Julia picture as the next numbered file, each after a question; and
// "Esporta…", which opens the dialog that exports the picture on the screen
// at any size.
#pragma once

#include "window/controls.h"

#include <QObject>

class QWidget;

namespace quorvane {

class Explorer;
class ExportDialog;
class PictureExport;
class Platform;

class ExportPanel : public QObject {
    Q_OBJECT
  public:
    // The questions are asked over window and name namedFolder, or, when it
    // is empty, the subdirectory Immagini.
    // exporter does the exports of "Esporta…".
    ExportPanel(Explorer& model, const ExportControls& ui, Platform& platform, QWidget* window,
                PictureExport& exporter, const QString& namedFolder = {});

    void SalvaFile_Click();
    void SalvaJulia_Click();
    void Esporta_Click();
    // The dialog of "Esporta…", once it has been opened.
    ExportDialog* dialog() const { return exportDialog; }

  private:
    void render();

    Explorer& model;
    ExportControls ui;
    Platform& platform;
    QWidget* window;
    PictureExport& exporter;
    ExportDialog* exportDialog = nullptr; // a child of the window, made at the first use
    QString questionFolder;
    QString folderShown;
};

} // namespace quorvane
