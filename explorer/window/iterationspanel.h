// The frame "Iterazioni massime": the limit typed for the next run, the
// limit of the picture shown, and "Istogramma", which shows the chart of the
// picture's counts and closes it again.
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class IterationsPanel : public QObject {
    Q_OBJECT
  public:
    IterationsPanel(Explorer& model, const IterationControls& ui);

    void IterazOK_Click();
    void Istogramma_Click();

  private:
    void render();
    void showLimit();
    int effectiveLimit() const;

    Explorer& model;
    IterationControls ui;
};

} // namespace quorvane
