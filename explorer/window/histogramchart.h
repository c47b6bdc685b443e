// "Istogramma": the bar chart of the escape counts of the picture shown,
// drawn as line overlays above a black picture, and closed again by a
// second click. It owns whether the chart is open (the tag of Istogramma).
#pragma once

#include "window/controls.h"

#include <QImage>
#include <QObject>
#include <functional>

namespace quorvane {

class ViewCore;

class HistogramChart : public QObject {
    Q_OBJECT
  public:
    // current gives the picture the chart replaces, to be shown again.
    HistogramChart(const Controls& ui, ViewCore& core, std::function<QImage()> current);

    bool isOpen() const;
    void Istogramma_Click();

  private:
    void open();
    void close();

    const Controls& ui;
    ViewCore& core;
    std::function<QImage()> currentPicture;
};

} // namespace quorvane
