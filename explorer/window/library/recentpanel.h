// The frame "Ultime immagini": the recent pictures browsed on the screen,
// left again with "Esci", or made the view described with "Attiva".
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class RecentPanel : public QObject {
    Q_OBJECT
  public:
    RecentPanel(Explorer& model, const RecentControls& ui);

    void SelImage_Click(int index);
    void AttSel_Click();
    void EndSel_Click();

  private:
    void render();

    Explorer& model;
    RecentControls ui;
};

} // namespace quorvane
