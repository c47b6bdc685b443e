// A picture of any side computed tile by tile through QuorC: one engine at a
// time, each tile an ordinary job, run in a private temporary folder so that
// the application folder's exchange files stay the window's own. Each tile's
// counts are painted through the palette into the picture as they arrive,
// so memory holds the picture and one table, no more.
#pragma once

#include "domain/palette.h"
#include "domain/tileplan.h"
#include "exchange.h"
#include "io/engineclient.h"
#include "io/run.h"

#include <QImage>
#include <QObject>
#include <QRgb>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <vector>

namespace quorvane {

// How a tiled run ended; the picture when Complete, 24-bit RGB.
struct TiledResult {
    RunStatus status = RunStatus::Failed;
    QString error; // for the user when Failed
    QImage picture;
};

// A new picture of side x side points, Format_RGB888, null when memory is
// short. The memory of a large one is asked for in huge pages where the
// system gives them on request: the first write to a fresh 4 KB page costs
// more than painting it (on the development machine 100 MB took 360 to
// 500 ms in small pages, 14 to 120 ms in huge ones).
QImage bigPicture(int side);

// The colour of each count 0..iterMax in palette, as a picture takes it.
std::vector<QRgb> countColours(const Palette& palette, int iterMax);

// Paints the kept part of a tile's counts [column * 724 + row] through
// colours (one per count) into picture (Format_RGB888) at the tile's place.
void paintTile(const std::vector<std::int16_t>& counts, const std::vector<QRgb>& colours,
               const Tile& tile, QImage& picture);

class TiledRun : public QObject {
    Q_OBJECT
  public:
    // engine is the path of QuorC; starter hands over each engine process.
    TiledRun(EngineStarter& starter, const QString& engine, QObject* parent = nullptr);
    ~TiledRun() override;

    bool running() const { return active; }
    // Computes the picture of side samples of view (a job of type 0 or 1,
    // or a deep view, whose nmax is the picture's iteration limit), painted
    // through palette. Refused while a run is going on; finished follows in
    // any case.
    void start(const EngineJob& view, int side, const Palette& palette);
    // Ends the engine at work; the run then ends as stopped, with no picture.
    void stop();

    int tileCount() const { return int(tiles.size()); }
    // The private folder the engines work in while the run goes on.
    QString folder() const { return workFolder ? workFolder->path() : QString(); }

  signals:
    // tilesDone tiles of tileCount() are painted, and the tile at work has
    // column of its 724 columns computed.
    void progress(int tilesDone, int column);
    void finished(const TiledResult& result);

  private:
    // Makes ready for a picture of side; an Italian message when it cannot.
    QString prepare(int side, const Palette& palette);
    void tileEnded(const EngineResult& result);
    void conclude(TiledResult result);
    // Starts the engine on the tile at current; false when no job can say it.
    bool startTile();

    EngineStarter& starter;
    QString engineFile;
    EngineJob job;
    int pictureSide = 0;
    std::vector<Tile> tiles;
    std::vector<QRgb> colours;
    std::size_t current = 0;
    QImage picture;
    std::unique_ptr<QTemporaryDir> workFolder;
    EngineClient* client = nullptr; // a child, while tiles are computed
    bool active = false;
    bool stopRequested = false;
};

} // namespace quorvane
