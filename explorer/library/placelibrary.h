// The frame "Libreria immagini": the places the user keeps, browsed with the
// arrows, activated with "Attiva", saved with "Salva" and deleted with
// "Elimina". It owns the places and `LuogoScelto`.
#pragma once

#include "model/places.h"
#include "window/controls.h"

#include <QObject>
#include <QString>

namespace quorvane {

class Platform;
class RecentPictures;
class ViewCore;

class PlaceLibrary : public QObject {
    Q_OBJECT
  public:
    PlaceLibrary(const Controls& ui, ViewCore& core, RecentPictures& recent, Platform& platform,
                 const QString& folder);

    const Places& places() const { return library; }
    int LuogoScelto() const { return library.LuogoScelto(); }
    int UltimoLuogo() const { return library.UltimoLuogo(); }
    // The picture shown has been saved and not changed since.
    bool pictureSaved() const;

    // Seeds a missing list file, reads the places and shows the first one.
    // A list that cannot be made or read is reported once, and without a
    // usable folder nothing is read: the library then starts empty.
    void load(bool folderUsable);

    void Salva_Click();
    void SelSave_Click(int index);
    void Carica_Click();
    void Elimina_Click();

  private:
    void showChosen();

    const Controls& ui;
    ViewCore& core;
    RecentPictures& recent;
    Platform& platform;
    QString folder; // BeiLuoghi
    Places library;
    int savedGeneration = -1;
};

} // namespace quorvane
