// The two "File" buttons: the picture shown exported under its area name,
// and a Julia picture as the next numbered file, each after a question.
#pragma once

#include "window/controls.h"

#include <QObject>

class QWidget;

namespace quorvane {

class Explorer;
class Platform;

class ExportPanel : public QObject {
    Q_OBJECT
  public:
    // The questions are asked over window and name namedFolder, or, when it
    // is empty, the subdirectory Immagini.
    ExportPanel(Explorer& model, const ExportControls& ui, Platform& platform, QWidget* window,
                const QString& namedFolder = {});

    void SalvaFile_Click();
    void SalvaJulia_Click();

  private:
    void render();

    Explorer& model;
    ExportControls ui;
    Platform& platform;
    QWidget* window;
    QString questionFolder;
    QString folderShown;
};

} // namespace quorvane
