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
        shapes.MonoLettera[std::size_t(i)].rect = monoLetteraRect(i);
        shapes.MonoLettera[std::size_t(i)].text = QString(QChar(65 + i));
        shapes.BiLettera[std::size_t(i)].text = QString(QChar(65 + i));
    }
    for (int i = 0; i < DimScreen; ++i)
        shapes.Linea[std::size_t(i)].line = QLine(i, 0, i, 0);
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
    shapes.JuLinea = lines;
    update();
}

void Sfondo::showGrid(const GridLayout& layout) {
    for (auto& letter : shapes.MonoLettera)
        letter.visible = true;
    for (std::size_t i = 0; i < layout.gridH.size(); ++i)
        shapes.GridH[i] = {layout.gridH[i], Qt::white, true};
    if (const auto& sub = layout.subGrid) {
        shapes.MonoLettera[std::size_t(sub->hiddenMonoLettera)].visible = false;
        for (std::size_t j = 0; j < sub->gridL.size(); ++j)
            shapes.GridL[j] = {sub->gridL[j], Qt::white, true};
        for (std::size_t k = 0; k < sub->biLettera.size(); ++k) {
            shapes.BiLettera[k].rect = sub->biLettera[k];
            shapes.BiLettera[k].visible = true;
        }
        shapes.Quad1[0] = {sub->quad1, Qt::blue, true};
    }
    update();
}

void Sfondo::hideOverlays(OverlayGroup group) {
    auto hideAll = [](auto& overlays) {
        for (auto& o : overlays)
            o.visible = false;
    };
    switch (group) {
    case OverlayGroup::MonoLettera:
        hideAll(shapes.MonoLettera);
        break;
    case OverlayGroup::BiLettera:
        hideAll(shapes.BiLettera);
        break;
    case OverlayGroup::Linea:
        hideAll(shapes.Linea);
        break;
    case OverlayGroup::GridLines:
        hideAll(shapes.GridH);
        hideAll(shapes.GridL);
        break;
    }
    update();
}

void Sfondo::hideBiLettera(int index) {
    shapes.BiLettera[std::size_t(index)].visible = false;
    update();
}

void Sfondo::showBars(const std::array<LineOverlay, DimScreen>& bars) {
    shapes.Linea = bars;
    update();
}

std::array<FrameOverlay, 2>& Sfondo::frames(FrameName name) {
    return name == FrameName::Quad1 ? shapes.Quad1 : shapes.Quad2;
}

void Sfondo::setFrame(FrameName name, int index, const FrameOverlay& frame) {
    frames(name)[std::size_t(index)] = frame;
    update();
}

void Sfondo::hideFrame(FrameName name, int index) {
    frames(name)[std::size_t(index)].visible = false;
    update();
}

const FrameOverlay& Sfondo::frame(FrameName name, int index) const {
    return (name == FrameName::Quad1 ? shapes.Quad1 : shapes.Quad2)[std::size_t(index)];
}

void Sfondo::drawOverlays(QPainter& p) const {
    // Lines are one pixel wide on the picture's own pixel grid.
    auto drawLine = [&](const LineOverlay& l) {
        if (!l.visible)
            return;
        p.setPen(QPen(l.colour, 1));
        p.drawLine(l.line);
    };
    for (const auto& l : shapes.Linea)
        drawLine(l);
    for (const auto& l : shapes.GridH)
        drawLine(l);
    for (const auto& l : shapes.GridL)
        drawLine(l);
    for (const auto& l : shapes.JuLinea)
        drawLine(l);
    p.setBrush(Qt::NoBrush);
    for (const auto* frames : {&shapes.Quad1, &shapes.Quad2})
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
    for (const auto& l : shapes.MonoLettera)
        drawLetter(l);
    // The sub-grid letters are smaller, to fit their 29-pixel cells.
    font.setPixelSize(9);
    p.setFont(font);
    for (const auto& l : shapes.BiLettera)
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
