#include "window/icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>

namespace quorvane {

namespace {

// Drawn at twice the size so they stay sharp on a high-density screen.
constexpr int Scale = 2;
constexpr int Side = 16;

QPixmap canvas() {
    QPixmap pm(Side * Scale, Side * Scale);
    pm.setDevicePixelRatio(Scale);
    pm.fill(Qt::transparent);
    return pm;
}

QPixmap arrow(int quarterTurns) {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(Side / 2.0, Side / 2.0);
    p.rotate(90.0 * quarterTurns);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    // An arrow pointing right; rotated for the other directions.
    const QPolygonF shape({{-6, -2}, {1, -2}, {1, -6}, {7, 0}, {1, 6}, {1, 2}, {-6, 2}});
    p.drawPolygon(shape);
    return pm;
}

QPixmap centringMark() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(8, 2), QPointF(8, 14));
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
    return pm;
}

} // namespace

QPixmap mezzoIcon(int index) {
    switch (index) {
    case 0:
        return arrow(0);
    case 1:
        return arrow(1);
    case 2:
        return arrow(2);
    case 3:
        return arrow(3);
    default:
        return centringMark();
    }
}

QPixmap arrowIcon(Qt::ArrowType direction) {
    switch (direction) {
    case Qt::RightArrow:
        return arrow(0);
    case Qt::DownArrow:
        return arrow(1);
    case Qt::LeftArrow:
        return arrow(2);
    default:
        return arrow(3);
    }
}

QIcon buttonIcon(const QPixmap& black) {
    QPixmap grey = black;
    QPainter p(&grey);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(QRectF(QPointF(0, 0), grey.deviceIndependentSize()),
               QGuiApplication::palette().color(QPalette::Disabled, QPalette::ButtonText));
    p.end();
    QIcon icon(black);
    icon.addPixmap(grey, QIcon::Disabled);
    return icon;
}

} // namespace quorvane
