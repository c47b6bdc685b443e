#include "io/tiledrun.h"

#include "domain/thumbnails.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace quorvane {

QImage bigPicture(int side) {
    const qsizetype line = (3 * qsizetype(side) + 3) / 4 * 4;
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    struct Mapping {
        void* start;
        std::size_t bytes;
    };
    // A smaller picture comes sooner from the allocator, which keeps the
    // memory of the last one (724 points: 0.5 ms of painting against 5 ms
    // in a fresh mapping).
    constexpr std::size_t HugeFrom = std::size_t{16} << 20;
    const std::size_t bytes = std::size_t(line) * std::size_t(side);
    void* start = bytes < HugeFrom ? MAP_FAILED
                                   : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start != MAP_FAILED) {
        ::madvise(start, bytes, MADV_HUGEPAGE);
        // Given back when the last copy of the picture goes.
        return QImage(
            static_cast<uchar*>(start), side, side, line, QImage::Format_RGB888,
            [](void* info) {
                const auto* mapping = static_cast<Mapping*>(info);
                ::munmap(mapping->start, mapping->bytes);
                delete mapping;
            },
            new Mapping{start, bytes});
    }
#endif
    return QImage(side, side, QImage::Format_RGB888);
}

std::vector<QRgb> countColours(const Palette& palette, int iterMax) {
    std::vector<QRgb> colours(std::size_t(iterMax) + 1);
    for (int k = 0; k <= iterMax; ++k)
        colours[std::size_t(k)] = toQRgb(palette[std::size_t(k)]);
    return colours;
}

void paintTile(const std::vector<std::int16_t>& counts, const std::vector<QRgb>& colours,
               const Tile& tile, QImage& picture) {
    // The table runs down the columns and the picture along the rows: a strip
    // of rows at a time reads each column's counts from one cache line.
    constexpr int Strip = 8;
    for (int top = 0; top < tile.rows; top += Strip) {
        const int rows = std::min(Strip, tile.rows - top);
        uchar* lines[Strip];
        for (int r = 0; r < rows; ++r)
            lines[r] = picture.scanLine(tile.row + top + r) + 3 * std::size_t(tile.column);
        for (int column = 0; column < tile.columns; ++column) {
            const std::int16_t* count = counts.data() + std::size_t(column) * DimScreen + top;
            for (int r = 0; r < rows; ++r) {
                const QRgb colour = colours[std::size_t(count[r])];
                uchar* out = lines[r] + 3 * std::size_t(column);
                out[0] = uchar(qRed(colour));
                out[1] = uchar(qGreen(colour));
                out[2] = uchar(qBlue(colour));
            }
        }
    }
}

namespace {

const QString FolderPrefix = QStringLiteral("Quorvane-export-");

QString invalidPicture() {
    return QStringLiteral("L'immagine da esportare non è valida.");
}

// The private folders of exports whose window ended without removing them
// (it was killed) are named by the process that made them, and removed once
// no such process lives; a folder of another user or of a window still
// running is never touched.
void removeAbandonedFolders(const QString& temp) {
#ifdef Q_OS_UNIX
    const QFileInfoList folders = QDir(temp).entryInfoList(
        {FolderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& folder : folders) {
        // "<pid>-XXXXXX" after the prefix.
        const QStringList parts =
            folder.fileName().mid(FolderPrefix.size()).split(QLatin1Char('-'));
        bool ok = false;
        const long pid = parts.size() == 2 ? parts[0].toLong(&ok) : 0;
        if (ok && pid > 0 && folder.ownerId() == ::getuid() && ::kill(pid_t(pid), 0) != 0 &&
            errno == ESRCH)
            QDir(folder.filePath()).removeRecursively();
    }
#else
    Q_UNUSED(temp);
#endif
}

} // namespace

TiledRun::TiledRun(EngineStarter& engineStarter, const QString& engine, QObject* parent)
    : QObject(parent), starter(engineStarter), engineFile(engine) {}

TiledRun::~TiledRun() {
    // The engine at work ends before the folder it works in is removed.
    delete client;
}

void TiledRun::start(const EngineJob& view, int side, const Palette& palette) {
    if (active)
        return;
    active = true;
    job = view;
    current = 0;
    stopRequested = false;
    if (const QString refusal = prepare(side, palette); !refusal.isEmpty()) {
        // Never from inside start(): the caller hears the end as it hears any end.
        QTimer::singleShot(0, this, [this, refusal] {
            conclude({RunStatus::Failed, refusal, {}});
        });
        return;
    }
    client = new EngineClient(starter, workFolder->path(), engineFile, this);
    connect(client, &EngineClient::progress, this,
            [this](int column) { emit progress(int(current), std::min(column, DimScreen)); });
    connect(client, &EngineClient::finished, this, &TiledRun::tileEnded);
    if (!startTile())
        QTimer::singleShot(0, this, [this] { conclude({RunStatus::Failed, invalidPicture(), {}}); });
}

bool TiledRun::startTile() {
    const auto tile = tileJob(job, pictureSide, tiles[current]);
    if (!tile)
        return false;
    client->start(*tile);
    return true;
}

QString TiledRun::prepare(int side, const Palette& palette) {
    const int limit = jobLimit(job);
    if (side < ExportSideMin || side > ExportSideMax)
        return exportSideMessage();
    const auto* plain = std::get_if<quor::Job>(&job);
    if (limit < 1 || limit >= MaxCounts ||
        (plain && plain->tipo != quor::Quorvane && plain->tipo != quor::Julia))
        return invalidPicture();
    pictureSide = side;
    tiles = planTiles(side);
    colours = countColours(palette, limit);
    picture = bigPicture(side);
    if (picture.isNull())
        return QStringLiteral("Memoria insufficiente per un'immagine di %1 × %1 punti.").arg(side);
    removeAbandonedFolders(QDir::tempPath());
    workFolder = std::make_unique<QTemporaryDir>(
        QDir(QDir::tempPath())
            .filePath(FolderPrefix +
                      QStringLiteral("%1-XXXXXX").arg(QCoreApplication::applicationPid())));
    if (!workFolder->isValid())
        return QStringLiteral("Impossibile creare una cartella temporanea in:\n") +
               QDir::toNativeSeparators(QDir::tempPath());
    return {};
}

void TiledRun::stop() {
    if (!client || stopRequested)
        return;
    stopRequested = true;
    client->stop();
}

void TiledRun::tileEnded(const EngineResult& result) {
    if (stopRequested)
        return conclude({RunStatus::Stopped, {}, {}});
    if (result.status != RunStatus::Complete)
        return conclude({result.status, result.error, {}});
    paintTile(result.counts, colours, tiles[current], picture);
    ++current;
    emit progress(int(current), 0);
    if (current == tiles.size())
        return conclude({RunStatus::Complete, {}, std::move(picture)});
    if (!startTile())
        conclude({RunStatus::Failed, invalidPicture(), {}});
}

void TiledRun::conclude(TiledResult result) {
    // The client has no engine left: it hands over only once its engine has
    // ended. It goes once it is back from handing over, its folder now.
    if (client) {
        client->disconnect(this);
        client->deleteLater();
        client = nullptr;
    }
    workFolder.reset();
    picture = QImage();
    colours.clear();
    active = false;
    emit finished(result);
}

} // namespace quorvane
