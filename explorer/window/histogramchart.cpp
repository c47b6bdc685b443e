#include "window/histogramchart.h"

#include "model/histogram.h"
#include "model/thumbnails.h"
#include "window/sfondo.h"
#include "window/tags.h"
#include "window/viewcore.h"

#include <QApplication>
#include <QPushButton>

namespace quorvane {

HistogramChart::HistogramChart(const Controls& controls, ViewCore& viewCore,
                               std::function<QImage()> current)
    : ui(controls), core(viewCore), currentPicture(std::move(current)) {
    setTag(ui.Istogramma, False);
}

bool HistogramChart::isOpen() const {
    return tagIsTrue(ui.Istogramma);
}

void HistogramChart::Istogramma_Click() {
    ui.Istogramma->setCursor(Qt::WaitCursor);
    if (isOpen())
        close();
    else
        open();
    ui.Istogramma->unsetCursor();
}

void HistogramChart::open() {
    core.Blocca();
    ui.Istogramma->setText(QStringLiteral("Esci"));
    ui.sfondo->hideOverlays(OverlayGroup::CellLetters);
    ui.sfondo->hideOverlays(OverlayGroup::SubCellLetters);
    // The blank picture is on the screen before the work.
    ui.sfondo->setPicture(core.Black());
    QApplication::processEvents();

    const Bars bars = histogramBars(core.Frequenze(), core.IterEffettive(), core.ColoreIter());
    std::array<LineOverlay, DimScreen> lines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        lines[i] = {barLine(bars[i]), QColor(toQRgb(bars[i].colour)), true};
    ui.sfondo->showBars(lines);
    setTag(ui.Istogramma, True);
    // The only command while the chart is shown.
    ui.Istogramma->setEnabled(true);
}

void HistogramChart::close() {
    ui.Istogramma->setEnabled(false);
    ui.sfondo->hideOverlays(OverlayGroup::HistogramBars);
    ui.Istogramma->setText(QStringLiteral("Istogramma"));
    ui.sfondo->setPicture(currentPicture());
    setTag(ui.Istogramma, False);
    core.Sblocca();
}

} // namespace quorvane
