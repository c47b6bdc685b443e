// The picture: a 724 x 724 image of the plane and the overlays drawn above
// it. Each overlay is a small value with a position and a visible flag, so
// that showing or hiding one never touches the picture's pixels.
#pragma once

#include <QColor>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QString>
#include <QWidget>
#include <array>

namespace quorvane {

struct LineOverlay {
    QLine line;
    QColor colour = Qt::white;
    bool visible = false;
};

struct LabelOverlay {
    QRect rect;
    QString text;
    bool visible = false;
};

struct FrameOverlay {
    QRect rect;
    QColor colour = Qt::blue;
    bool visible = false;
};

class Sfondo : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Side = 724;
    static constexpr int Border = 2;

    explicit Sfondo(QWidget* parent = nullptr);

    const QImage& image() const { return picture; }
    void showImage(const QImage& image);
    // The picture's pixels are written directly (scan lines); call this after.
    QImage& pixels() { return picture; }
    void pixelsChanged() { update(); }

    std::array<LabelOverlay, 25> MonoLettera;
    std::array<LabelOverlay, 25> BiLettera;
    std::array<LineOverlay, 12> GridH;
    std::array<LineOverlay, 8> GridL;
    std::array<FrameOverlay, 2> Quad1;
    std::array<FrameOverlay, 2> Quad2;
    std::array<LineOverlay, 724> Linea;
    std::array<LineOverlay, 2> JuLinea;

    // What the screen shows: the picture with every visible overlay.
    QImage composed() const;

  signals:
    void mousePressed(int button, int modifiers, int x, int y);
    void mouseMoved(int button, int modifiers, int x, int y);
    void mouseReleased(int button, int modifiers, int x, int y);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

  private:
    void drawOverlays(QPainter& p) const;
    QImage picture;
};

} // namespace quorvane
