// The place library in memory: the places read from the list file and the
// one shown in the frame "Libreria immagini".
#pragma once

#include "library/placelist.h"
#include "window/controls.h"

#include <QImage>
#include <QString>
#include <vector>

namespace quorvane {

class Platform;

class PlaceLibrary {
  public:
    PlaceLibrary(const Controls& ui, Platform& platform, const QString& folder);

    const std::vector<Place>& places() const { return list; }
    int LuogoScelto() const { return chosen; }
    // The index of the last place; -1 for an empty library.
    int UltimoLuogo() const { return int(list.size()) - 1; }

    // Seeds a missing list file, reads the places and shows the first one.
    // A list that cannot be made or read is reported once, and without a
    // usable folder nothing is read: the library then starts empty.
    void load(const QImage& blank, bool folderUsable);

  private:
    const Controls& ui;
    Platform& platform;
    QString folder; // BeiLuoghi
    std::vector<Place> list;
    int chosen = 0;
};

} // namespace quorvane
