#include "library/placelibrary.h"

#include "window/platform.h"

#include <QLabel>
#include <QLineEdit>

namespace quorvane {

PlaceLibrary::PlaceLibrary(const Controls& controls, Platform& services,
                           const QString& libraryFolder)
    : ui(controls), platform(services), folder(libraryFolder) {}

void PlaceLibrary::load(const QImage& blank, bool folderUsable) {
    list.clear();
    if (folderUsable) {
        const QString path = folder + QLatin1Char('/') + PlaceListName;
        QString error = seedPlaceList(path);
        if (error.isEmpty()) {
            PlaceListResult read = readPlaceList(path);
            error = read.error;
            list = std::move(read.places);
        }
        if (!error.isEmpty())
            platform.message(ui.window, error);
    }
    chosen = 0;
    const QString first = list.empty() ? QString() : list.front().name;
    ui.SaveIcona->setPixmap(QPixmap::fromImage(loadThumbnail(folder, first, blank)));
    ui.SaveName->setText(first);
}

} // namespace quorvane
