#include "model/pictureexport.h"

#include "io/export.h"

namespace quorvane {

ExportRequest exportRequestFor(const Picture& picture, const QString& folder, int numJulia) {
    return {picture.job(), picture.palette,
            picture.julia ? proposedJuliaFile(folder, numJulia)
                          : proposedAreaFile(folder, picture.name())};
}

PictureExport::PictureExport(QObject* parent) : QObject(parent) {
    connect(&writer, &PictureWriter::finished, this, &PictureExport::end);
}

PictureExport::~PictureExport() = default;

void PictureExport::use(EngineStarter& starter, const QString& engine) {
    if (busy())
        return;
    run = std::make_unique<TiledRun>(starter, engine);
    connect(run.get(), &TiledRun::progress, this, [this](int tilesDone, int column) {
        done = tilesDone * DimScreen + column;
        emit progressed();
    });
    connect(run.get(), &TiledRun::finished, this, &PictureExport::computed);
}

void PictureExport::start(const EngineJob& job, const Palette& palette, int side,
                          const QString& file) {
    if (busy() || !run)
        return;
    target = file;
    current = Stage::Computing;
    run->start(job, side, palette);
    done = 0;
    total = run->tileCount() * DimScreen;
    emit started();
    emit progressed();
}

void PictureExport::stop() {
    if (current == Stage::Computing)
        run->stop();
    else if (current == Stage::Writing)
        writer.cancel();
}

// The picture goes to the writer and is held nowhere else, so that memory
// holds it once.
void PictureExport::computed(const TiledResult& result) {
    if (result.status != RunStatus::Complete)
        return end({result.status, result.error});
    current = Stage::Writing;
    emit progressed();
    writer.start(target, result.picture);
}

void PictureExport::end(const RunOutcome& outcome) {
    current = Stage::Ready;
    emit ended(outcome);
}

} // namespace quorvane
