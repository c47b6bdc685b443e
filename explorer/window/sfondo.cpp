#include "window/sfondo.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorvane {

Sfondo::Sfondo(QWidget* parent) : QWidget(parent), picture(Side, Side, QImage::Format_RGB32) {
    picture.fill(Qt::black);
    setFixedSize(Side + 2 * Border, Side + 2 * Border);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Sfondo::showImage(const QImage& image) {
    if (image.size() == picture.size() && image.format() == QImage::Format_RGB32)
        picture = image;
    else
        picture = image.convertToFormat(QImage::Format_RGB32).scaled(Side, Side);
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
    for (const auto& l : Linea)
        drawLine(l);
    for (const auto& l : GridH)
        drawLine(l);
    for (const auto& l : GridL)
        drawLine(l);
    for (const auto& l : JuLinea)
        drawLine(l);
    p.setBrush(Qt::NoBrush);
    for (const auto* frames : {&Quad1, &Quad2})
        for (const auto& f : *frames)
            if (f.visible) {
                p.setPen(QPen(f.colour, 1));
                p.drawRect(f.rect.adjusted(0, 0, -1, -1));
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
    for (const auto& l : MonoLettera)
        drawLetter(l);
    // The sub-grid letters are smaller, to fit their 29-pixel cells.
    font.setPixelSize(9);
    p.setFont(font);
    for (const auto& l : BiLettera)
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
    p.setClipRect(0, 0, Side, Side);
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
