// The place library as the explorer keeps it: the places and the folder
// that holds them, the thumbnail of the place chosen, the export folder, and
// which pictures were saved as places or exported. Each change reports a
// message for the user when it could not be made, and changes nothing then.
#pragma once

#include "domain/areaname.h"
#include "io/places.h"
#include "model/picture.h"

#include <QImage>
#include <QString>
#include <map>
#include <optional>
#include <set>

namespace quorvane {

class PlaceLibrary {
  public:
    // blank stands where a place has no thumbnail.
    explicit PlaceLibrary(const QImage& blank = {});

    // Reads the library in folder, unless it is not usable; pictures are
    // exported into exports. Returns the message of a list that could not
    // be read or seeded, else empty.
    QString load(const QString& folder, bool usable, const QString& exports);

    const Places& places() const { return library; }
    const QImage& chosenThumbnail() const { return chosenIcon; }
    // The area of the place chosen; none in an empty library.
    std::optional<AreaName> chosenArea() const;
    const QString& exportsTo() const { return exportFolder; }
    bool saved(int pictureId) const { return savedPictures.count(pictureId) != 0; }
    bool exported(int pictureId) const { return exportedPictures.count(pictureId) != 0; }

    // Saves picture as a place with this colouring.
    QString save(const Picture& picture, int limit, bool automatic);
    void step(int index);
    QString remove();
    // Writes picture into the export folder as fileName.
    QString exportPicture(const Picture& picture, const QString& fileName);

  private:
    void showChosen();

    QImage blankIcon;
    Places library;
    QString folder, exportFolder;
    QImage chosenIcon;
    std::map<int, QString> savedPictures; // picture id -> the place it was saved as
    std::set<int> exportedPictures;
};

} // namespace quorvane
