// "Esporta…": the picture on the screen computed again at a side the user
// chooses, up to 8192 points, and saved as PNG or BMP. The dialog takes the
// picture's job, its palette and a proposed file as plain values, and tells
// the start and the end of its work by signals.
#pragma once

#include "exchange.h"
#include "domain/palette.h"
#include "io/picturewriter.h"
#include "io/run.h"
#include "io/tiledrun.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quorvane {

class Platform;

class ExportDialog : public QDialog {
    Q_OBJECT
  public:
    // engine is the path of QuorC.
    ExportDialog(Platform& platform, const QString& engine, QWidget* parent = nullptr);

    // The picture to export: view is its job (type 0 or 1, nmax its
    // iteration limit), painted through palette as on the screen; the file
    // box then proposes proposedFile. Refused while an export goes on.
    void prepare(const quor::Job& view, const Palette& palette, const QString& proposedFile);

    bool busy() const { return stage != Stage::Ready; }
    // The file the last export went to (or was going to).
    const QString& file() const { return target; }

    void EsportaSfoglia_Click();
    void EsportaVai_Click();
    void EsportaStop_Click();

    QLineEdit* EsportaLato;
    QLineEdit* EsportaFile;
    QPushButton* EsportaSfoglia;
    QPushButton* EsportaVai;
    QProgressBar* EsportaProgresso;
    QPushButton* EsportaStop;

  signals:
    // The picture is being computed: the export is work like a run.
    void started();
    // Complete: the file is in place; Stopped or Failed: nothing was written
    // (the user has been told why it failed).
    void ended(const RunOutcome& outcome);

  protected:
    // Closing the dialog during an export stops it first.
    void reject() override;

  private:
    enum class Stage { Ready, Computing, Writing };
    void computed(const TiledResult& result);
    void end(const RunOutcome& outcome);
    void render();

    Platform& platform;
    TiledRun run;
    PictureWriter writer;
    quor::Job view;
    std::unique_ptr<Palette> palette;
    QString target;
    Stage stage = Stage::Ready;
    bool closeWhenEnded = false;
};

} // namespace quorvane
