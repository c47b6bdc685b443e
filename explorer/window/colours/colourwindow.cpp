#include "window/colours/colourwindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QVariant>

namespace quorvane {

namespace {

constexpr int px(int twips) {
    return twips / Colori::TwipsPerPixel;
}

} // namespace

Colori::Colori(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Colori"));
    setWindowTitle(QStringLiteral("Colori"));
    setFixedSize(px(ClientWidthTwips), px(ClientHeightTwips));

    Fine = new QPushButton(QStringLiteral("OK"), this);
    Fine->setObjectName(QStringLiteral("Fine"));
    Fine->setAccessibleName(QStringLiteral("OK: chiude la scala dei colori"));
    Fine->setGeometry(px(900), px(3120), px(615), px(375));
    connect(Fine, &QPushButton::clicked, this, &Colori::Fine_Click);

    Form_Load();
}

void Colori::Form_Load() {
    auto place = [this](int m, int x1, int y1) {
        ColourLine& line = lines[std::size_t(m)];
        line.x1 = x1;
        line.x2 = x1 + LineLengthTwips;
        line.y1 = y1;
        line.y2 = y1;
    };

    // Count 0 sits just below the rightmost strip.
    place(0, 1920, 2800);
    // Six strips of 255 lines, the lowest ramp indices at the bottom right;
    // 10 twips apart, so neighbouring colours share pixel rows.
    int m = 0;
    for (int s = 5; s >= 0; --s)
        for (int j = 255; j >= 1; --j)
            place(++m, 120 + 360 * s, 240 + 10 * j);
    // The inside colour sits just above the leftmost strip.
    place(RampSize - 1, 120, 240);
}

void Colori::setLineColour(int m, Colore colour) {
    if (m < 0 || m >= RampSize)
        return;
    lines[std::size_t(m)].colore = colour;
    update();
}

void Colori::Fine_Click() {
    emit closed();
    hide();
}

void Colori::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)
        Fine_Click();
    else
        QWidget::keyPressEvent(event);
}

void Colori::closeEvent(QCloseEvent* event) {
    // The window system's close button means the same as "OK"; a close while
    // hidden (the program ending) is no return from the legend.
    if (isVisible())
        emit closed();
    event->accept();
}

void Colori::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Positions stay in twips; the painter maps them to pixels, and on a
    // high-density screen each line keeps its one-pixel thickness.
    painter.scale(1.0 / TwipsPerPixel, 1.0 / TwipsPerPixel);
    // Each line is one pixel thick, drawn from its Y downwards; later lines
    // (higher up in a strip) cover the rows they share with earlier ones.
    for (const ColourLine& line : lines) {
        const QColor colour(redOf(line.colore), greenOf(line.colore), blueOf(line.colore));
        painter.fillRect(QRectF(line.x1, line.y1, line.x2 - line.x1, TwipsPerPixel), colour);
    }
}

} // namespace quorvane
