// The picture: a 724 x 724 image of the plane and the overlays drawn above
// it. The widget owns both; callers change them through setters that
// repaint, and read them through image() and overlays().
#pragma once

#include "model/limits.h"
#include "model/overlays.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace quorvane {

class Sfondo : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Border = 2;

    explicit Sfondo(QWidget* parent = nullptr);

    const QImage& image() const { return picture; }
    const Overlays& overlays() const { return shapes; }
    // What the screen shows: the picture with every visible overlay.
    QImage composed() const;

    void setPicture(const QImage& image);
    // Draws onto the picture's own pixels (an orbit trace); area is what
    // changed, to be repainted.
    void paintPicture(const QRect& area, const std::function<void(QImage&)>& painter);

    // The grid lines and every cell letter; with a chosen cell its sub-grid,
    // its letters and its frame in blue, its own letter hidden.
    void showGrid(const GridLayout& layout);
    void hideOverlays(OverlayGroup group);
    void hideSubCellLetter(int index);
    // The histogram's bars, one per column, shown.
    void showBars(const std::array<LineOverlay, DimScreen>& bars);
    void setFrame(Frame name, const FrameOverlay& frame);
    void hideFrame(Frame name);
    // The cross-hair on a Julia constant.
    void setCrossHair(const std::array<LineOverlay, 2>& lines);
    const FrameOverlay& frame(Frame name) const;

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
    FrameOverlay& frameOf(Frame name);
    QImage picture;
    Overlays shapes;
};

} // namespace quorvane
