// The ten most recent pictures: `Deposito`(0) is the picture on the screen,
// 1..`NumUltime` the older ones, each with its area name in `PercorsiUltime`.
// The frame "Ultime immagini" browses them on the picture, leaves again with
// "Esci" or makes the one shown the next view with "Attiva".
#pragma once

#include "window/controls.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <array>

namespace quorvane {

class ViewCore;

class RecentPictures : public QObject {
    Q_OBJECT
  public:
    static constexpr int Kept = 10;

    RecentPictures(const Controls& ui, ViewCore& core);

    const QImage& Deposito(int k) const { return pictures[std::size_t(k)]; }
    const QString& PercorsiUltime(int k) const { return names[std::size_t(k)]; }
    int NumUltime() const { return count; }
    bool browsing() const;

    // The push: every picture moves one place older, the oldest drops out
    // when ten are kept, and picture becomes the one on the screen.
    void push(const QImage& picture, const QString& name);
    // The picture on the screen changes without a push.
    void setCurrent(const QImage& picture);
    void setCurrent(const QImage& picture, const QString& name);

    void SelImage_Click(int index);
    void AttSel_Click();
    void EndSel_Click();

  private:
    void stopBrowsing();

    const Controls& ui;
    ViewCore& core;
    std::array<QImage, Kept + 1> pictures;
    std::array<QString, Kept + 1> names;
    int count = 0;
    int position = 0;
};

} // namespace quorvane
