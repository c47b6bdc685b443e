#include "library/recentpictures.h"

#include <QLineEdit>

namespace quorvane {

RecentPictures::RecentPictures(const Controls& controls, const QImage& black) : ui(controls) {
    pictures.fill(black);
}

void RecentPictures::push(const QImage& picture, const QString& name) {
    if (count < Kept) {
        ++count;
        ui.LastImage->setText(QStringLiteral("0/%1").arg(count));
    }
    for (int k = count; k >= 1; --k) {
        pictures[std::size_t(k)] = pictures[std::size_t(k - 1)];
        names[std::size_t(k)] = names[std::size_t(k - 1)];
    }
    pictures[0] = picture;
    names[0] = name;
}

void RecentPictures::setCurrent(const QImage& picture) {
    pictures[0] = picture;
}

void RecentPictures::setCurrent(const QImage& picture, const QString& name) {
    pictures[0] = picture;
    names[0] = name;
}

} // namespace quorvane
