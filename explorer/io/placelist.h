// The place list file "BeiLuoghi.txt" and the thumbnails beside it.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace quorvane {

struct Place {
    QString name;      // a valid area name
    int iter = 1000;   // iteration limit, 20..32767
    int autoColor = 0; // 0 or 1
    bool operator==(const Place&) const = default;
};

constexpr int MaxPlaces = 1000;
// A list file larger than this is not a list (1000 records take about 50 kB).
constexpr qint64 MaxPlaceListBytes = 1 << 20;
inline const QString PlaceListName = QStringLiteral("BeiLuoghi.txt");
inline const QString SeedPlaceName = QStringLiteral("MFFSSKJHB");

// The bytes of a list file holding these records: "NAME",iter,flag CR LF.
QByteArray formatPlaceList(const std::vector<Place>& places);

// Parses list-file text: blanks around fields, a missing final CR LF and an
// empty text are fine; a malformed line or a name that is not an area name
// is skipped; limits are clamped to 20..32767; at most MaxPlaces records.
std::vector<Place> parsePlaceList(const QByteArray& text);

struct PlaceListResult {
    std::vector<Place> places;
    QString error; // empty on success; an Italian message otherwise
};

// Creates the list file holding only the seed record when it is missing.
// Returns an Italian message on failure, empty on success.
QString seedPlaceList(const QString& path);
// Reads the list file; anything but a regular file of at most
// MaxPlaceListBytes is unreadable.
PlaceListResult readPlaceList(const QString& path);
// Replaces the list file atomically; the old file stays if anything fails.
QString writePlaceList(const QString& path, const std::vector<Place>& places);

// The thumbnail folder/NAME.bmp, or blank when the name is not an area name
// or the file is missing or unreadable.
QImage loadThumbnail(const QString& folder, const QString& name, const QImage& blank);

// folder/NAME.bmp, for a name already known to be an area name.
QString thumbnailPath(const QString& folder, const QString& name);

// Writes image as the BMP thumbnail of name, replacing an older one
// atomically. Returns an Italian message on failure (also for a name that is
// not an area name), empty on success.
QString saveThumbnail(const QString& folder, const QString& name, const QImage& image);

} // namespace quorvane
