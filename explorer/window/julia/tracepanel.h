// The frame "Tracce": the orbit of the Julia constant drawn over the start
// view, stopped, counted and removed again.
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class TracePanel : public QObject {
    Q_OBJECT
  public:
    TracePanel(Explorer& model, const TraceControls& ui);

    void Traccia_Click();
    void StopTraccia_Click();

  private:
    void showSteps();

    Explorer& model;
    TraceControls ui;
};

} // namespace quorvane
