// The picture: a 724 x 724 image of the plane and the overlays drawn above
// it. The widget owns both; callers change them through setters that
// repaint, and read them through image() and overlays().
#pragma once

#include "domain/limits.h"
#include "domain/overlays.h"

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
    // Draws onto the picture's own pixels (an orbit trace step); area is
    // what changed, to be repainted.
    void paintPicture(const QRect& area, const std::function<void(QImage&)>& painter);

    // Every overlay at once; repaints only when they changed.
    void setOverlays(const Overlays& overlays);

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
    Overlays shapes;
};

} // namespace quorvane
