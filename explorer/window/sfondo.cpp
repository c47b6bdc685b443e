#include "window/sfondo.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvane {

Sfondo::Sfondo(QWidget* parent)
    : QWidget(parent), picture(DimScreen, DimScreen, QImage::Format_RGB32) {
    picture.fill(Qt::black);
    setFixedSize(DimScreen + 2 * Border, DimScreen + 2 * Border);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The letters keep their places and captions; the bars their columns.
    for (int i = 0; i < 25; ++i) {
        shapes.cellLetters[std::size_t(i)].rect = cellLetterRect(i);
        shapes.cellLetters[std::size_t(i)].text = QString(QChar(65 + i));
        shapes.subCellLetters[std::size_t(i)].text = QString(QChar(65 + i));
    }
    for (int i = 0; i < DimScreen; ++i)
        shapes.histogramBars[std::size_t(i)].line = QLine(i, 0, i, 0);
}

void Sfondo::setPicture(const QImage& image) {
    if (image.size() == picture.size() && image.format() == QImage::Format_RGB32)
        picture = image;
    else
        picture = image.convertToFormat(QImage::Format_RGB32).scaled(DimScreen, DimScreen);
    update();
}

void Sfondo::paintPicture(const QRect& area, const std::function<void(QImage&)>& painter) {
    painter(picture);
    update(area.translated(Border, Border).adjusted(-1, -1, 1, 1));
}

void Sfondo::setCrossHair(const std::array<LineOverlay, 2>& lines) {
    shapes.crossHair = lines;
    update();
}

void Sfondo::showGrid(const GridLayout& layout) {
    for (auto& letter : shapes.cellLetters)
        letter.visible = true;
    for (std::size_t i = 0; i < layout.lines.size(); ++i)
        shapes.gridLines[i] = {layout.lines[i], Qt::white, true};
    if (const auto& sub = layout.subGrid) {
        shapes.cellLetters[std::size_t(sub->hiddenCellLetter)].visible = false;
        for (std::size_t j = 0; j < sub->lines.size(); ++j)
            shapes.subGridLines[j] = {sub->lines[j], Qt::white, true};
        for (std::size_t k = 0; k < sub->letters.size(); ++k) {
            shapes.subCellLetters[k].rect = sub->letters[k];
            shapes.subCellLetters[k].visible = true;
        }
        shapes.cellFrame = {sub->frame, Qt::blue, true};
    }
    update();
}

void Sfondo::hideOverlays(OverlayGroup group) {
    auto hideAll = [](auto& overlays) {
        for (auto& o : overlays)
            o.visible = false;
    };
    switch (group) {
    case OverlayGroup::CellLetters:
        hideAll(shapes.cellLetters);
        break;
    case OverlayGroup::SubCellLetters:
        hideAll(shapes.subCellLetters);
        break;
    case OverlayGroup::HistogramBars:
        hideAll(shapes.histogramBars);
        break;
    case OverlayGroup::GridLines:
        hideAll(shapes.gridLines);
        hideAll(shapes.subGridLines);
        break;
    }
    update();
}

void Sfondo::hideSubCellLetter(int index) {
    shapes.subCellLetters[std::size_t(index)].visible = false;
    update();
}

void Sfondo::showBars(const std::array<LineOverlay, DimScreen>& bars) {
    shapes.histogramBars = bars;
    update();
}

FrameOverlay& Sfondo::frameOf(Frame name) {
    switch (name) {
    case Frame::Cell:
        return shapes.cellFrame;
    case Frame::SubCell:
        return shapes.subCellFrame;
    case Frame::SelectedCell:
        return shapes.selectedCellFrame;
    case Frame::SelectedSubCell:
        return shapes.selectedSubCellFrame;
    case Frame::Constant:
        return shapes.constantFrame;
    case Frame::Zoom:
        break;
    }
    return shapes.zoomFrame;
}

void Sfondo::setFrame(Frame name, const FrameOverlay& frame) {
    frameOf(name) = frame;
    update();
}

void Sfondo::hideFrame(Frame name) {
    frameOf(name).visible = false;
    update();
}

const FrameOverlay& Sfondo::frame(Frame name) const {
    return const_cast<Sfondo*>(this)->frameOf(name);
}

void Sfondo::drawOverlays(QPainter& p) const {
    // Lines are one pixel wide on the picture's own pixel grid.
    auto drawLine = [&](const LineOverlay& l) {
        if (!l.visible)
            return;
        p.setPen(QPen(l.colour, 1));
        p.drawLine(l.line);
    };
    for (const auto& l : shapes.histogramBars)
        drawLine(l);
    for (const auto& l : shapes.gridLines)
        drawLine(l);
    for (const auto& l : shapes.subGridLines)
        drawLine(l);
    for (const auto& l : shapes.crossHair)
        drawLine(l);
    p.setBrush(Qt::NoBrush);
    for (const FrameOverlay* f :
         {&shapes.cellFrame, &shapes.selectedCellFrame, &shapes.subCellFrame,
          &shapes.selectedSubCellFrame, &shapes.constantFrame, &shapes.zoomFrame})
        if (f->visible) {
            p.setPen(QPen(f->colour, 1));
            p.drawRect(f->rect.adjusted(0, 0, -1, -1));
        }
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    // White letters with a dark shadow stay readable on any colour.
    auto drawLetter = [&p](const LabelOverlay& l) {
        if (!l.visible)
            return;
        const int flags = Qt::AlignCenter | Qt::TextDontClip;
        p.setPen(Qt::black);
        p.drawText(l.rect.translated(1, 1), flags, l.text);
        p.setPen(Qt::white);
        p.drawText(l.rect, flags, l.text);
    };
    for (const auto& l : shapes.cellLetters)
        drawLetter(l);
    // The sub-grid letters are smaller, to fit their 29-pixel cells.
    font.setPixelSize(9);
    p.setFont(font);
    for (const auto& l : shapes.subCellLetters)
        drawLetter(l);
}

QImage Sfondo::composed() const {
    QImage out = picture.copy();
    QPainter p(&out);
    drawOverlays(p);
    return out;
}

void Sfondo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    p.translate(Border, Border);
    p.drawImage(0, 0, picture);
    p.setClipRect(0, 0, DimScreen, DimScreen);
    drawOverlays(p);
}

static int buttonsOf(const QMouseEvent* e) {
    return int(e->buttons() | e->button());
}

void Sfondo::mousePressEvent(QMouseEvent* e) {
    const QPoint pt = e->position().toPoint() - QPoint(Border, Border);
    emit mousePressed(buttonsOf(e), int(e->modifiers()), pt.x(), pt.y());
}

void Sfondo::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pt = e->position().toPoint() - QPoint(Border, Border);
    emit mouseMoved(buttonsOf(e), int(e->modifiers()), pt.x(), pt.y());
}

void Sfondo::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pt = e->position().toPoint() - QPoint(Border, Border);
    emit mouseReleased(buttonsOf(e), int(e->modifiers()), pt.x(), pt.y());
}

} // namespace quorvane
