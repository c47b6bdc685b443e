#include "library/recentpictures.h"

#include "window/sfondo.h"
#include "window/tags.h"
#include "window/viewcore.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {

// Shows a kept picture again. The black picture of a view not yet computed
// (a slot never written, or the view that "-1" left) stays no picture: there
// is nothing in it to save, export or keep again with "Attiva".
void showKept(ViewCore& core, const QImage& picture) {
    if (picture.cacheKey() == core.Black().cacheKey())
        core.showBlank();
    else
        core.showRecalled(picture);
}

} // namespace

RecentPictures::RecentPictures(const Controls& controls, ViewCore& viewCore)
    : ui(controls), core(viewCore) {
    pictures.fill(core.Black());
    setTag(ui.EndSel, False);
}

bool RecentPictures::browsing() const {
    return tagIsTrue(ui.EndSel);
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

void RecentPictures::SelImage_Click(int index) {
    if (count == 0)
        return;
    if (!browsing()) {
        core.Blocca();
        position = 1;
        ui.sfondo->hideFrame(Frame::SelectedCell);
        ui.sfondo->hideFrame(Frame::SelectedSubCell);
        ui.EndSel->setEnabled(true);
        ui.AttSel->setEnabled(true);
        setTag(ui.EndSel, True);
    } else if (index == 0 && position > 0) {
        --position;
    } else if (index == 1 && position < count) {
        ++position;
    }
    ui.LastImage->setText(QStringLiteral("%1/%2").arg(position).arg(count));
    ui.sfondo->setPicture(pictures[std::size_t(position)]);
    const QString& name = names[std::size_t(position)];
    ui.LastName->setText(name.isEmpty() ? QStringLiteral("Z") : name);
    ui.SelImage[0]->setEnabled(position != 0);
    ui.SelImage[1]->setEnabled(position < count);
}

void RecentPictures::stopBrowsing() {
    setTag(ui.EndSel, False);
    ui.LastImage->setText(QStringLiteral("0/%1").arg(count));
    ui.LastName->clear();
    position = 0;
}

void RecentPictures::AttSel_Click() {
    const QString name = ui.LastName->text();
    core.preparePlace(name, core.NoIcona());
    // The browsed picture, still on the screen, goes first under its name.
    push(ui.sfondo->image(), ui.RiquadroCorrente->text());
    stopBrowsing();
    showKept(core, ui.sfondo->image());
    core.Sblocca();
}

void RecentPictures::EndSel_Click() {
    showKept(core, pictures[0]);
    stopBrowsing();
    core.Sblocca();
}

} // namespace quorvane
