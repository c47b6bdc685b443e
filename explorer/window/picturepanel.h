// The picture: what the explorer puts on the screen and the overlays above
// it, shown on `Sfondo`, and the thumbnail of the next view on `View`.
#pragma once

#include <QObject>

class QPushButton;

namespace quorvane {

class Explorer;
class Sfondo;

class PicturePanel : public QObject {
    Q_OBJECT
  public:
    PicturePanel(Explorer& model, Sfondo* sfondo, QPushButton* view);

    // Ctrl+C: the picture Sfondo shows, without the overlays above it, to
    // the clipboard.
    void copyPicture();

  private:
    void render();
    void paintStep(const QRect& area);

    Explorer& model;
    Sfondo* sfondo;
    QPushButton* view;
    qint64 thumbnailShown = 0;
};

} // namespace quorvane
