// The ten most recent pictures: `Deposito`(0) is the picture on the screen,
// 1..`NumUltime` the older ones, each with its area name in `PercorsiUltime`.
#pragma once

#include "window/controls.h"

#include <QImage>
#include <QString>
#include <array>

namespace quorvane {

class RecentPictures {
  public:
    static constexpr int Kept = 10;

    RecentPictures(const Controls& ui, const QImage& black);

    const QImage& Deposito(int k) const { return pictures[std::size_t(k)]; }
    const QString& PercorsiUltime(int k) const { return names[std::size_t(k)]; }
    int NumUltime() const { return count; }

    // The push: every picture moves one place older, the oldest drops out
    // when ten are kept, and picture becomes the one on the screen.
    void push(const QImage& picture, const QString& name);
    // The picture on the screen changes without a push.
    void setCurrent(const QImage& picture);
    void setCurrent(const QImage& picture, const QString& name);

  private:
    const Controls& ui;
    std::array<QImage, Kept + 1> pictures;
    std::array<QString, Kept + 1> names;
    int count = 0;
};

} // namespace quorvane
