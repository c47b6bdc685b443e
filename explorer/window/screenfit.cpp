#include "window/screenfit.h"

#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace quorvane {

QSize windowSize(QSize layout, QSize room, int bar) {
    bool across = layout.width() > room.width();
    bool down = layout.height() > room.height();
    // A bar takes room from the other side, which may then lack it too.
    down = down || (across && layout.height() + bar > room.height());
    across = across || (down && layout.width() + bar > room.width());
    const QSize wanted(layout.width() + (down ? bar : 0), layout.height() + (across ? bar : 0));
    return wanted.boundedTo(room);
}

namespace {

// Sizes the window again whenever its screen, the room on it or the frame
// around it may have changed: when it is shown, moved (a window manager
// frames a window once it is shown) or taken to another screen.
class ScreenFit : public QObject {
  public:
    ScreenFit(QWidget* window, QScrollArea* area, QSize layout)
        : QObject(window), window(window), area(area), layout(layout) {
        window->installEventFilter(this);
        fit();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window) {
            switch (event->type()) {
            case QEvent::Show:
            case QEvent::ScreenChangeInternal:
                followScreen();
                fit();
                break;
            case QEvent::Move:
                fit();
                break;
            default:
                break;
            }
        }
        return false;
    }

  private:
    void followScreen() {
        QScreen* screen = window->screen();
        if (screen == followed)
            return;
        disconnect(roomChanged);
        followed = screen;
        if (screen)
            roomChanged =
                connect(screen, &QScreen::availableGeometryChanged, this, [this] { fit(); });
    }

    void fit() {
        const QScreen* screen = window->screen();
        if (!screen)
            return;
        const QSize frame = window->frameGeometry().size() - window->geometry().size();
        const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
        window->setFixedSize(windowSize(layout, screen->availableGeometry().size() - frame, bar));
    }

    QWidget* window;
    QScrollArea* area;
    QSize layout;
    QScreen* followed = nullptr;
    QMetaObject::Connection roomChanged;
};

} // namespace

QWidget* screenFittedPage(QWidget* window, QSize layout) {
    auto* area = new QScrollArea(window);
    area->setFrameShape(QFrame::NoFrame);
    // The keyboard belongs to the controls; Tab scrolls to the one it reaches.
    area->setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget;
    page->setFixedSize(layout);
    area->setWidget(page);
    auto* fill = new QVBoxLayout(window);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(area);
    new ScreenFit(window, area, layout);
    return page;
}

} // namespace quorvane
