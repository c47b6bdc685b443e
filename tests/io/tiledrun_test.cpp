// A big picture computed tile by tile with the real QuorC, against the plain
// algorithm sample by sample, and stopped half-way.
#include "childengines.h"
#include "countingstarter.h"
#include "domain/juliaview.h"
#include "domain/thumbnails.h"
#include "io/tiledrun.h"
#include "plaincount.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cmath>

namespace quorvane {
namespace {

using testing::childEngines;
using testing::CountingStarter;
using testing::plainCount;

struct TiledRunTest : ::testing::Test {
    TiledResult run(const quor::Job& view, int side, bool stopAtFirstColumn = false) {
        QSignalSpy finished(&tiled, &TiledRun::finished);
        QObject::connect(&tiled, &TiledRun::progress, &tiled, [&](int, int column) {
            folder = tiled.folder().isEmpty() ? folder : tiled.folder();
            if (stopAtFirstColumn && column > 0)
                tiled.stop();
        });
        tiled.start(view, side, *palette);
        EXPECT_TRUE(finished.wait(120000));
        tiled.disconnect(&tiled);
        return finished.isEmpty() ? TiledResult{} : finished.first().first().value<TiledResult>();
    }
    CountingStarter starter;
    TiledRun tiled{starter, QStringLiteral(QUORC_PATH)};
    std::unique_ptr<Palette> palette = std::make_unique<Palette>();
    QString folder; // where the engines worked
};

TEST_F(TiledRunTest, EveryPixelIsThePlainCountsColourSeamsAndCutTilesIncluded) {
    const Ramp ramp = rampColours(Nero);
    const double step = std::ldexp(1.0, -9);
    const auto square = [&](double x, int side) {
        return Limits{x, x + (side - 1) * step, -724 * step, (side - 725) * step};
    };
    for (const auto& [side, view] :
         {std::pair{1448, viewJob(quor::Quorvane, square(-2.0, 1448), 250)},
          std::pair{1000, juliaJob(square(-1.5, 1000), 300, {-0.8125, 0.15625})}}) {
        const int limit = int(view.nmax);
        fillPalette(false, limit, Frequencies{}, ramp, *palette);
        const TiledResult result = run(view, side);
        ASSERT_EQ(result.status, RunStatus::Complete) << result.error.toStdString();
        ASSERT_EQ(result.picture.size(), QSize(side, side));
        EXPECT_EQ(result.picture.format(), QImage::Format_RGB888);
        int wrong = 0;
        for (int column = 0; column < side; ++column)
            for (int row = 0; row < side; ++row) {
                const int count = plainCount(view, view.xa + column * step, view.ya + row * step);
                wrong +=
                    result.picture.pixel(column, row) != toQRgb((*palette)[std::size_t(count)]);
            }
        EXPECT_EQ(wrong, 0) << "side " << side;
        EXPECT_FALSE(folder.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(folder)) << folder.toStdString();
    }
    EXPECT_EQ(starter.starts, 4 + 4); // one engine per tile
}

TEST_F(TiledRunTest, AStopEndsTheEngineAndLeavesNoPictureNoEngineNoFolder) {
    // Slow enough to be stopped: a high limit over the boundary.
    const quor::Job view = viewJob(quor::Quorvane, {-0.7453, -0.7433, 0.1121, 0.1141}, 32767);
    const TiledResult stopped = run(view, ExportSideMax, true);
    EXPECT_EQ(stopped.status, RunStatus::Stopped);
    EXPECT_TRUE(stopped.picture.isNull());
    EXPECT_EQ(starter.starts, 1);
    EXPECT_EQ(childEngines(), 0);
    EXPECT_FALSE(folder.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(TiledRunTest, TheFolderOfAWindowThatDiedIsRemovedAtTheNextExport) {
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 gone = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QDir temp(QDir::tempPath());
    const QString dead = QStringLiteral("Quorvane-export-%1-test").arg(gone);
    const QString alive =
        QStringLiteral("Quorvane-export-%1-test").arg(QCoreApplication::applicationPid());
    for (const QString& name : {dead, alive}) {
        ASSERT_TRUE(temp.mkpath(name + "/inside"));
    }
    fillPalette(false, 100, Frequencies{}, rampColours(Nero), *palette);
    EXPECT_EQ(run(viewJob(quor::Quorvane, StartView, 100), 724).status, RunStatus::Complete);
    EXPECT_FALSE(temp.exists(dead));
    EXPECT_TRUE(temp.exists(alive));
    QDir(temp.filePath(alive)).removeRecursively();
    QDir(temp.filePath(dead)).removeRecursively();
}

} // namespace
} // namespace quorvane
