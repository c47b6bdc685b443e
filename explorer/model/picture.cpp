#include "model/picture.h"

namespace quorvane {

EngineJob Picture::job() const {
    if (julia)
        return juliaJob(julia->view.limits, iterations, julia->constant);
    return view.job(iterations);
}

Picture Picture::blank(const View& view, int iterations) {
    static const QImage black = [] {
        QImage image(DimScreen, DimScreen, QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }();
    return Picture{black, 0, view, std::nullopt, iterations, nullptr};
}

int newPictureId() {
    static int last = 0;
    return ++last;
}

} // namespace quorvane
