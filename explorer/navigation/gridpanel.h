// The frame "Nuova selezione": the grid switch, the letters, the shift
// cross, "-1" and the confirmation with "OK"; it shows the selection being
// built and the grid's stage.
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class GridPanel : public QObject {
    Q_OBJECT
  public:
    GridPanel(Explorer& model, const GridControls& ui);

    void Griglia_Click();
    void Lettere_Click(int index);
    void Mezzo_Click(int index);
    void MenoUna_Click();
    void Copia_Click();

  private:
    void render();

    Explorer& model;
    GridControls ui;
};

} // namespace quorvane
