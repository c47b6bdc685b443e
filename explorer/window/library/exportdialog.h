// "Esporta…": the picture on the screen computed again at a side the user
// chooses, up to 8192 points, and saved as PNG or BMP. The dialog takes the
// picture's job, its palette and a proposed file as plain values, checks
// what the user typed, and has the export done by the explorer's part for
// it, whose progress and end it shows.
#pragma once

#include "domain/limits.h"
#include "domain/palette.h"
#include "exchange.h"
#include "io/run.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quorvane {

class Platform;
class PictureExport;

class ExportDialog : public QDialog {
    Q_OBJECT
  public:
    // The questions and the desktop's file dialog come from platform; the
    // export is done by exporter.
    ExportDialog(Platform& platform, PictureExport& exporter, QWidget* parent = nullptr);

    // The picture to export: view is its job (type 0 or 1, or a deep view;
    // nmax its iteration limit), painted through palette as on the screen; the file
    // box then proposes proposedFile. Refused while an export goes on.
    void prepare(const EngineJob& view, const Palette& palette, const QString& proposedFile);

    bool busy() const;

    void EsportaSfoglia_Click();
    void EsportaVai_Click();
    void EsportaStop_Click();

    QLineEdit* EsportaLato;
    QLineEdit* EsportaFile;
    QPushButton* EsportaSfoglia;
    QPushButton* EsportaVai;
    QProgressBar* EsportaProgresso;
    QPushButton* EsportaStop;

  protected:
    // Closing the dialog during an export stops it first.
    void reject() override;

  private:
    void end(const RunOutcome& outcome);
    void render();

    Platform& platform;
    PictureExport& exporter;
    EngineJob view;
    std::unique_ptr<Palette> palette;
    bool closeWhenEnded = false;
};

} // namespace quorvane
