// The frame "Limiti attuali": the limits, the area name and the zoom factor
// of the view described.
#pragma once

#include "window/controls.h"

#include "domain/view.h"

#include <QLocale>
#include <QObject>
#include <QString>
#include <array>
#include <optional>

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
    std::array<QString, 4> tips; // what each limit's box is for
    QString nameTip, zoomTip;
    std::optional<View> shown; // the view the boxes show, in the locale they show it in
    QLocale locale;
};

} // namespace quorvane
