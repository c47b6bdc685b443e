#include "model/scene.h"

#include "domain/grid.h"
#include "domain/histogram.h"
#include "domain/thumbnails.h"

namespace quorvane {

namespace {
const QColor Yellow(255, 255, 0);
} // namespace

QImage sceneImage(MainMode mainMode, const PictureHistory& pictures,
                  const JuliaSession& juliaMode) {
    switch (mainMode) {
    case MainMode::Chart:
        return Picture::blank({}, 0).image;
    case MainMode::Browsing:
        return pictures.browsed().image;
    case MainMode::Julia:
        if (const auto julia = juliaMode.screen())
            return *julia;
        break;
    case MainMode::Starting:
    case MainMode::Ready:
    case MainMode::Grid:
        break;
    }
    return pictures.current().image;
}

Overlays sceneOverlays(MainMode mainMode, Work currentWork, const Navigator& where,
                       const PictureHistory& pictures, const JuliaSession& juliaMode) {
    Overlays o;
    for (int i = 0; i < 25; ++i) {
        o.cellLetters[std::size_t(i)].rect = cellLetterRect(i);
        o.cellLetters[std::size_t(i)].text = QString(QChar(65 + i));
        o.subCellLetters[std::size_t(i)].text = QString(QChar(65 + i));
    }
    for (int i = 0; i < DimScreen; ++i)
        o.histogramBars[std::size_t(i)].line = QLine(i, 0, i, 0);

    const GridSelection& grid = where.selection();
    const PendingView& next = where.pending();
    const JuliaState& juliaState = juliaMode.state();
    if (mainMode == MainMode::Grid) {
        const bool sub = grid.letterChosen();
        const GridLayout layout = layoutGrid(grid.shift, sub, grid.first);
        for (auto& letter : o.cellLetters)
            letter.visible = true;
        for (std::size_t i = 0; i < layout.lines.size(); ++i)
            o.gridLines[i] = {layout.lines[i], Qt::white, true};
        if (layout.subGrid) {
            o.cellLetters[std::size_t(layout.subGrid->hiddenCellLetter)].visible = false;
            for (std::size_t j = 0; j < layout.subGrid->lines.size(); ++j)
                o.subGridLines[j] = {layout.subGrid->lines[j], Qt::white, true};
            for (std::size_t k = 0; k < layout.subGrid->letters.size(); ++k)
                o.subCellLetters[k] = {layout.subGrid->letters[k], QString(QChar(65 + int(k))),
                                       !(grid.second && *grid.second == int(k))};
            if (grid.second)
                o.subCellFrame = {subCellFrameRect(grid.first, *grid.second, grid.shift), Qt::blue,
                                  true};
            else
                o.cellFrame = {layout.subGrid->frame, Qt::blue, true};
        }
    }
    // A confirmed selection stays framed on its picture until it is computed.
    if (next.frame && (mainMode == MainMode::Ready || mainMode == MainMode::Grid))
        (next.subCell ? o.selectedSubCellFrame : o.selectedCellFrame) = {*next.frame, Qt::red,
                                                                         true};
    if (mainMode == MainMode::Chart) {
        const RunTable& table = pictures.table();
        const Bars bars =
            histogramBars(*table.frequencies, table.limit, *pictures.current().palette);
        for (std::size_t i = 0; i < bars.size(); ++i)
            o.histogramBars[i] = {barLine(bars[i]), QColor(toQRgb(bars[i].colour)), true};
    }
    // A Julia run hides the point's marks and the zoom's frame for good.
    if (mainMode == MainMode::Julia && currentWork != Work::JuliaRun) {
        if (juliaState.stage == JuliaStage::ConstantChosen) {
            o.constantFrame = {juliaState.marks.frame, Qt::red, true};
            o.crossHair = {LineOverlay{juliaState.marks.crossHair[0], Yellow, true},
                           LineOverlay{juliaState.marks.crossHair[1], Yellow, true}};
        }
        if (juliaState.stage == JuliaStage::ZoomPending)
            o.zoomFrame = {juliaState.zoomFrame, Qt::red, true};
    }
    return o;
}

const Picture* exportablePicture(MainMode mainMode, const PictureHistory& pictures,
                                 const JuliaSession& juliaMode) {
    const JuliaState& julia = juliaMode.state();
    const bool juliaShown =
        julia.stage == JuliaStage::PictureShown || julia.stage == JuliaStage::ZoomPending;
    const Picture* shown = mainMode == MainMode::Ready ? &pictures.current()
                           : mainMode == MainMode::Julia && juliaShown && julia.picture
                               ? &*julia.picture
                               : nullptr;
    return shown && shown->computed() && shown->palette ? shown : nullptr;
}

} // namespace quorvane
