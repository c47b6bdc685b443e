// The frame "Libreria immagini": the place chosen with the arrows, "Attiva"
// to prepare it as the next view, "Salva" for the view shown and "Elimina".
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class LibraryPanel : public QObject {
    Q_OBJECT
  public:
    LibraryPanel(Explorer& model, const LibraryControls& ui);

    void Salva_Click();
    void SelSave_Click(int index);
    void Carica_Click();
    void Elimina_Click();

  private:
    void render();

    Explorer& model;
    LibraryControls ui;
    qint64 thumbnailShown = 0;
};

} // namespace quorvane
