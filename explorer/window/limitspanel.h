// The frame "Limiti attuali": the limits, the area name and the zoom factor
// of the view described.
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class LimitsPanel : public QObject {
    Q_OBJECT
  public:
    LimitsPanel(Explorer& model, const LimitControls& ui);

  private:
    void render();

    Explorer& model;
    LimitControls ui;
};

} // namespace quorvane
