// Exports of the start view at limit 1000 written as PNG: the whole export
// (every tile through QuorC, painted as it arrives, then encoded) at 2896
// and 5792 points, against the 724-point picture of the same view exported
// in the same run; beside it the share of colouring (the tiles painted again
// from one table) and of encoding, the rest being the engine's. Last, the
// zlib levels of PNG compared on the 2896-point picture.
// /usr/bin/time -v with --benchmark_filter=Export/8192 gives the memory an
// export of the largest side takes.
#include "kernel.h"
#include "io/picturewriter.h"
#include "io/tiledrun.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <map>

using namespace quorvane;

namespace {

constexpr int Limit = 1000;

const Palette& palette() {
    static const auto p = [] {
        auto colours = std::make_unique<Palette>();
        fillPalette(false, Limit, Frequencies{}, rampColours(Nero), *colours);
        return colours;
    }();
    return *p;
}

// The milliseconds of the whole export of each side, for the ratios.
std::map<int, double>& wholeMs() {
    static std::map<int, double> m;
    return m;
}

QImage& picture2896() {
    static QImage picture;
    return picture;
}

double since(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// One table of the view, painted into every tile of a side: what colouring
// costs an export of that side.
double colouringMs(int side) {
    std::vector<std::uint32_t> table(quor::TableSize);
    quor::fastTable({0, -2, 1, -1.5, 1.5, Limit}, table.data());
    const std::vector<std::int16_t> counts(table.begin(), table.end());
    const std::vector<QRgb> colours = countColours(palette(), Limit);
    // Painted into a new picture, as an export does, the best of three.
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        QImage picture = bigPicture(side);
        QElapsedTimer t;
        t.start();
        for (const Tile& tile : planTiles(side))
            paintTile(counts, colours, tile, picture);
        best = std::min(best, since(t));
    }
    return best;
}

void BM_Export(benchmark::State& state) {
    const int side = int(state.range(0));
    QTemporaryDir dir;
    EngineStarter starter;
    TiledRun run(starter, QStringLiteral(QUORC_PATH));
    double engine = 0, encode = 0, total = 0;
    for (auto _ : state) {
        QEventLoop loop;
        TiledResult result;
        QObject::connect(&run, &TiledRun::finished, &loop, [&](const TiledResult& r) {
            result = r;
            loop.quit();
        });
        QElapsedTimer t;
        t.start();
        run.start(viewJob(quor::Quorvane, StartView, Limit), side, palette());
        loop.exec();
        const double computed = since(t);
        const QString error = writePicture(dir.filePath(QStringLiteral("z.png")), result.picture);
        const double whole = since(t);
        if (result.status != RunStatus::Complete || !error.isEmpty()) {
            state.SkipWithError("the export failed");
            break;
        }
        engine += computed;
        encode += whole - computed;
        total += whole;
        state.SetIterationTime(whole / 1000);
        if (side == 2896)
            picture2896() = result.picture;
    }
    const double n = double(state.iterations());
    const double colour = colouringMs(side);
    wholeMs()[side] = total / n;
    state.counters["whole_ms"] = total / n;
    state.counters["engine_ms"] = engine / n - colour;
    state.counters["colour_ms"] = colour;
    state.counters["encode_ms"] = encode / n;
    if (wholeMs().count(DimScreen))
        state.counters["x_724"] = total / n / wholeMs()[DimScreen];
}
BENCHMARK(BM_Export)
    ->Arg(724)
    ->Arg(2896)
    ->Arg(5792)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);
BENCHMARK(BM_Export)->Arg(8192)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// PNG at each zlib level (0 stored, 9 smallest), on the 2896-point picture.
void BM_PngLevel(benchmark::State& state) {
    const int level = int(state.range(0));
    if (picture2896().isNull()) {
        state.SkipWithError("run with the 2896-point export");
        return;
    }
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QImageWriter writer(&out, "png");
        writer.setQuality(100 - (level * 91 + 8) / 9);
        writer.write(picture2896());
        bytes = out.size();
    }
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_PngLevel)->DenseRange(0, 3)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
