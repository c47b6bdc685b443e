#include "io/places.h"

#include "domain/areaname.h"
#include "domain/thumbnails.h"
#include "exchange.h"
#include "io/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace quorvane {

std::vector<Place> sortedByName(std::vector<Place> places) {
    const std::size_t n = places.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        std::size_t smallest = i;
        for (std::size_t k = i + 1; k < n; ++k)
            if (places[k].name < places[smallest].name)
                smallest = k;
        std::swap(places[i], places[smallest]);
    }
    return places;
}

Arrangement arrangeAfterSave(const std::vector<Place>& places, const Place& saved) {
    std::vector<Place> updated = places;
    const auto same = std::find_if(updated.begin(), updated.end(),
                                   [&](const Place& p) { return p.name == saved.name; });
    if (same != updated.end())
        *same = saved;
    else
        updated.push_back(saved);

    Arrangement result;
    for (Place& place : sortedByName(std::move(updated))) {
        // Repeated names come only from a list file edited by hand.
        if (!result.places.empty() && result.places.back().name == place.name)
            continue;
        if (place.name == saved.name)
            result.chosen = int(result.places.size());
        result.places.push_back(std::move(place));
    }
    return result;
}

std::vector<Place> fillGap(std::vector<Place> places, int index) {
    places[std::size_t(index)] = places.back();
    places.pop_back();
    return places;
}

Places::Places(std::vector<Place> places, bool listRead)
    : places_(std::move(places)), listRead_(listRead) {}

std::optional<Place> Places::chosenPlace() const {
    if (places_.empty())
        return std::nullopt;
    return places_[std::size_t(chosen_)];
}

void Places::select(int index) {
    if (index == 0 && chosen_ > 0)
        --chosen_;
    if (index == 1 && chosen_ < UltimoLuogo())
        ++chosen_;
}

LibraryCommands Places::commands() const {
    const bool any = !places_.empty();
    return {chosen_ != 0, chosen_ < UltimoLuogo(), any, any};
}

QString Places::changeRefusal() const {
    return listRead_ ? QString() : ListNotReadMessage;
}

QString Places::saveRefusal() const {
    if (!listRead_)
        return ListNotReadMessage;
    // Also when the place is already stored and would only be updated.
    if (int(places_.size()) >= MaxPlaces)
        return LibraryFullMessage;
    return {};
}

void Places::take(Arrangement arrangement) {
    places_ = std::move(arrangement.places);
    chosen_ = places_.empty() ? 0 : std::clamp(arrangement.chosen, 0, UltimoLuogo());
}

namespace {

QString listPath(const QString& folder) {
    return QDir(folder).filePath(PlaceListName);
}

// The bytes of an existing thumbnail, so that a save that fails half-way can
// put them back; none when there is no such file.
std::optional<QByteArray> readThumbnail(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

LibraryOutcome Places::save(const QString& folder, const Place& place, const QImage& thumbnail) {
    if (const QString refusal = saveRefusal(); !refusal.isEmpty())
        return {false, refusal};
    const Arrangement next = arrangeAfterSave(places_, place);

    const QString thumbnailFile = thumbnailPath(folder, place.name);
    const std::optional<QByteArray> oldThumbnail =
        isAreaName(place.name) ? readThumbnail(thumbnailFile) : std::nullopt;
    if (const QString failed = saveThumbnail(folder, place.name, thumbnail); !failed.isEmpty())
        return {false, failed};
    if (const QString failed = writePlaceList(listPath(folder), next.places); !failed.isEmpty()) {
        // The old bytes go back the same safe way. Should that fail too, the
        // new thumbnail stays beside the old list, and the user is told.
        const bool restored =
            oldThumbnail ? saveFile(thumbnailFile, *oldThumbnail, {}).isEmpty()
                         : QFile::remove(thumbnailFile) || !QFileInfo::exists(thumbnailFile);
        if (!restored)
            return {false, failed + QLatin1Char('\n') + ThumbnailNotRestoredMessage +
                               QLatin1Char('\n') + QDir::toNativeSeparators(thumbnailFile)};
        return {false, failed};
    }
    take(next);
    return {true, {}};
}

LibraryOutcome Places::remove(const QString& folder) {
    if (const QString refusal = changeRefusal(); !refusal.isEmpty())
        return {false, refusal};
    // The last place cannot be deleted.
    if (places_.size() < 2)
        return {};

    const QString name = places_[std::size_t(chosen_)].name;
    std::vector<Place> rest = places_;
    rest.erase(rest.begin() + chosen_);
    // Sorted, whatever order earlier deletions left in memory.
    if (const QString failed = writePlaceList(listPath(folder), sortedByName(rest));
        !failed.isEmpty())
        return {false, failed};

    // A name repeated in a list edited by hand still needs its thumbnail.
    const bool stillListed =
        std::any_of(rest.begin(), rest.end(), [&](const Place& p) { return p.name == name; });
    if (!stillListed && isAreaName(name))
        QFile::remove(thumbnailPath(folder, name));
    take({fillGap(places_, chosen_), 0});
    return {true, {}};
}

LoadedPlaces loadPlaces(const QString& folder) {
    const QString list = listPath(folder);
    if (QString failed = seedPlaceList(list); !failed.isEmpty())
        return {Places(), failed};
    PlaceListResult read = readPlaceList(list);
    if (!read.error.isEmpty())
        return {Places({}, false), read.error};
    return {Places(std::move(read.places)), {}};
}

} // namespace quorvane
