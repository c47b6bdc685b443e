// "Istogramma": the bar chart of the escape counts of the picture shown,
// drawn as line overlays above a black picture, and closed again by a
// second click. It owns whether the chart is open (the tag of Istogramma).
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class RecentPictures;
class ViewCore;

class HistogramChart : public QObject {
    Q_OBJECT
  public:
    HistogramChart(const Controls& ui, ViewCore& core, const RecentPictures& recent);

    bool isOpen() const;
    void Istogramma_Click();

  private:
    void open();
    void close();

    const Controls& ui;
    ViewCore& core;
    const RecentPictures& recent;
};

} // namespace quorvane
