#include "window/sfondo.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvane {

Sfondo::Sfondo(QWidget* parent)
    : QWidget(parent), picture(DimScreen, DimScreen, QImage::Format_RGB32) {
    picture.fill(Qt::black);
    setFixedSize(DimScreen + 2 * Border, DimScreen + 2 * Border);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Sfondo::setPicture(const QImage& image) {
    if (image.cacheKey() == picture.cacheKey())
        return;
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

void Sfondo::setOverlays(const Overlays& overlays) {
    if (overlays == shapes)
        return;
    shapes = overlays;
    update();
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
