// The frame "Visualizzazione": View computes the view prepared, "Stop" stops
// the run, the automatic colouring is chosen for the next picture, and the
// run's progress is shown.
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class RunPanel : public QObject {
    Q_OBJECT
  public:
    RunPanel(Explorer& model, const RunControls& ui);

    void View_Click();
    void Ferma_Click();
    void AutoColor_Click();

  private:
    void render();
    void showProgress();

    Explorer& model;
    RunControls ui;
};

} // namespace quorvane
