#include "io/placelist.h"

#include "domain/areaname.h"
#include "domain/bmp.h"
#include "io/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace quorvane {

namespace {

constexpr int MinIter = 20;
constexpr int MaxIter = 32767;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArray trimmedBlanks(const QByteArray& field) {
    qsizetype from = 0, to = field.size();
    while (from < to && isBlank(field[from]))
        ++from;
    while (to > from && isBlank(field[to - 1]))
        --to;
    return field.mid(from, to - from);
}

// A decimal integer with an optional sign. Values too long for any limit
// saturate, so that clamping still sees which side they fall on.
std::optional<long long> parseInteger(const QByteArray& field) {
    if (field.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (field[0] == '+' || field[0] == '-') {
        negative = field[0] == '-';
        i = 1;
    }
    if (i == field.size())
        return std::nullopt;
    long long value = 0;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = std::min(value * 10 + (c - '0'), 1000000000000LL);
    }
    return negative ? -value : value;
}

// One line "NAME",iter,flag, or nothing when the line does not have that shape.
std::optional<Place> parseRecord(const QByteArray& line) {
    const QByteArray trimmed = trimmedBlanks(line);
    if (trimmed.size() < 2 || trimmed[0] != '"')
        return std::nullopt;
    const qsizetype closing = trimmed.indexOf('"', 1);
    if (closing < 0)
        return std::nullopt;
    const QByteArray name = trimmed.mid(1, closing - 1);

    const QByteArray rest = trimmedBlanks(trimmed.mid(closing + 1));
    if (rest.isEmpty() || rest[0] != ',')
        return std::nullopt;
    const QList<QByteArray> numbers = rest.mid(1).split(',');
    if (numbers.size() != 2)
        return std::nullopt;
    const auto iter = parseInteger(trimmedBlanks(numbers[0]));
    const auto flag = parseInteger(trimmedBlanks(numbers[1]));
    if (!iter || !flag)
        return std::nullopt;

    // Only a valid area name may become a thumbnail file name later on, so a
    // name such as "../x" never reaches the file system.
    const QString areaName = QString::fromLatin1(name);
    if (!isAreaName(areaName))
        return std::nullopt;

    Place place;
    place.name = areaName;
    place.iter = int(std::clamp<long long>(*iter, MinIter, MaxIter));
    place.autoColor = *flag != 0 ? 1 : 0;
    return place;
}

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QByteArray formatPlaceList(const std::vector<Place>& places) {
    QByteArray bytes;
    for (const Place& place : places) {
        bytes += '"';
        bytes += place.name.toLatin1();
        bytes += "\",";
        bytes += QByteArray::number(place.iter);
        bytes += ',';
        bytes += QByteArray::number(place.autoColor);
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<Place> parsePlaceList(const QByteArray& text) {
    std::vector<Place> places;
    qsizetype start = 0;
    while (start < text.size() && int(places.size()) < MaxPlaces) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        // A line end of CR LF, a lone LF or a lone CR all end a record; the
        // empty lines between the two halves of CR LF are simply skipped.
        if (end > start) {
            if (auto place = parseRecord(text.mid(start, end - start)))
                places.push_back(std::move(*place));
        }
        start = end + 1;
    }
    return places;
}

QString seedPlaceList(const QString& path) {
    if (QFileInfo::exists(path))
        return {};
    const Place seed{SeedPlaceName, 1000, 1};
    return saveFile(path, formatPlaceList({seed}),
                    QStringLiteral("Impossibile creare l'elenco dei luoghi:"));
}

PlaceListResult readPlaceList(const QString& path) {
    PlaceListResult result;
    const QString unreadable =
        QStringLiteral("Impossibile leggere l'elenco dei luoghi:\n") + shownPath(path);
    // Only a regular file of a sensible size is read: a device would never
    // end and a pipe would hold up the start.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > MaxPlaceListBytes) {
        result.error = unreadable;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = unreadable;
        return result;
    }
    // Read one byte past the bound, in case the file grew since it was looked at.
    const QByteArray text = file.read(MaxPlaceListBytes + 1);
    if (file.error() != QFileDevice::NoError || text.size() > MaxPlaceListBytes) {
        result.error = unreadable;
        return result;
    }
    result.places = parsePlaceList(text);
    return result;
}

QString writePlaceList(const QString& path, const std::vector<Place>& places) {
    return saveFile(path, formatPlaceList(places),
                    QStringLiteral("Impossibile scrivere l'elenco dei luoghi:"));
}

QString thumbnailPath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name + QStringLiteral(".bmp"));
}

QImage loadThumbnail(const QString& folder, const QString& name, const QImage& blank) {
    if (!isAreaName(name))
        return blank;
    QImage image;
    if (!image.load(thumbnailPath(folder, name), "BMP"))
        return blank;
    return image;
}

QString saveThumbnail(const QString& folder, const QString& name, const QImage& image) {
    const QString failure = QStringLiteral("Impossibile salvare la miniatura:");
    // Only an area name becomes a file name, so nothing is written outside the folder.
    if (!isAreaName(name))
        return failure + QLatin1Char('\n') + shownPath(QDir(folder).filePath(name));
    return saveFile(thumbnailPath(folder, name), bmpBytes(image), failure);
}

} // namespace quorvane
