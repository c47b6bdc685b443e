#include "window/picturepanel.h"

#include "model/explorer.h"
#include "window/sfondo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

namespace quorvane {

PicturePanel::PicturePanel(Explorer& explorer, Sfondo* picture, QPushButton* viewButton)
    : model(explorer), sfondo(picture), view(viewButton) {
    connect(&model, &Explorer::changed, this, &PicturePanel::render);
    connect(&model.julia(), &JuliaSession::screenPainted, this, &PicturePanel::paintStep);
    render();
}

void PicturePanel::render() {
    sfondo->setPicture(model.screen());
    sfondo->setOverlays(model.overlays());
    const QImage& thumbnail = model.navigator().pending().thumbnail;
    if (thumbnail.cacheKey() != thumbnailShown) {
        thumbnailShown = thumbnail.cacheKey();
        QIcon icon(QPixmap::fromImage(thumbnail));
        icon.addPixmap(QPixmap::fromImage(model.noIcona()), QIcon::Disabled);
        view->setIcon(icon);
    }
}

void PicturePanel::copyPicture() {
    QGuiApplication::clipboard()->setImage(sfondo->image());
}

// A trace step drew into the explorer's picture: the same pixels here.
void PicturePanel::paintStep(const QRect& area) {
    const QImage source = model.screen();
    const QRect changed = area.intersected(source.rect());
    sfondo->paintPicture(changed, [&](QImage& picture) {
        for (int y = changed.top(); y <= changed.bottom(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            auto* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
            std::copy(from + changed.left(), from + changed.right() + 1, to + changed.left());
        }
    });
}

} // namespace quorvane
