// An export of a picture at a side of the user's choice: its tiles computed
// through QuorC one engine at a time, then the file written aside and put
// in place on a thread of its own, so the window's event loop never waits.
// While it goes on it is the explorer's work, like a run.
#pragma once

#include "domain/palette.h"
#include "exchange.h"
#include "io/picturewriter.h"
#include "io/run.h"
#include "io/tiledrun.h"
#include "model/picture.h"

#include <QObject>
#include <QString>
#include <memory>

namespace quorvane {

class EngineStarter;

// What "Esporta…" exports: the job that computes the picture again, the
// palette it was painted with (also an automatic one: the picture's own, as
// the user sees it) and the file proposed.
struct ExportRequest {
    EngineJob job;
    std::shared_ptr<const Palette> palette;
    QString file;
};

// For picture, computed and its palette held: the file proposed is its area
// name in folder, or for a Julia picture "Julia" and numJulia, as PNG.
ExportRequest exportRequestFor(const Picture& picture, const QString& folder, int numJulia);

class PictureExport : public QObject {
    Q_OBJECT
  public:
    enum class Stage { Ready, Computing, Writing };

    explicit PictureExport(QObject* parent = nullptr);
    ~PictureExport() override;
    // QuorC at engine, each of its processes handed over by starter.
    void use(EngineStarter& starter, const QString& engine);

    Stage stage() const { return current; }
    bool busy() const { return current != Stage::Ready; }
    // The file of the export going on, or of the last one.
    const QString& file() const { return target; }
    // The columns of the picture's tiles computed so far, of all of them.
    int columnsDone() const { return done; }
    int columnsTotal() const { return total; }

    // Computes the picture of job (type 0 or 1, or a deep view; nmax its
    // iteration limit) at side samples, painted through palette as on the
    // screen, and writes it to file, PNG or BMP by its extension. Refused
    // while busy or without an engine; else ended follows, never from inside
    // start.
    void start(const EngineJob& job, const Palette& palette, int side, const QString& file);
    // Ends the engine at work or gives the writing up: nothing is written.
    void stop();

  signals:
    void started();
    // A column, a tile or the stage changed.
    void progressed();
    // Complete: the file is in place; Stopped or Failed: nothing was written
    // (the message of a failure names the file).
    void ended(const RunOutcome& outcome);

  private:
    void computed(const TiledResult& result);
    void end(const RunOutcome& outcome);

    std::unique_ptr<TiledRun> run;
    PictureWriter writer;
    Stage current = Stage::Ready;
    QString target;
    int done = 0, total = 0;
};

} // namespace quorvane
