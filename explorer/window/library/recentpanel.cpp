#include "window/library/recentpanel.h"

#include "model/explorer.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

RecentPanel::RecentPanel(Explorer& explorer, const RecentControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.AttSel, &QPushButton::clicked, this, &RecentPanel::AttSel_Click);
    connect(ui.EndSel, &QPushButton::clicked, this, &RecentPanel::EndSel_Click);
    for (int i = 0; i < 2; ++i)
        connect(ui.SelImage[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { SelImage_Click(i); });
    connect(&model, &Explorer::changed, this, &RecentPanel::render);
    render();
}

void RecentPanel::SelImage_Click(int index) {
    model.browse(index);
}

void RecentPanel::AttSel_Click() {
    model.activateRecent();
}

void RecentPanel::EndSel_Click() {
    model.endBrowsing();
}

void RecentPanel::render() {
    showText(
        ui.LastImage,
        QStringLiteral("%1/%2").arg(model.history().browsePosition()).arg(model.browseCount()));
    showText(ui.LastName, model.browsedName());
}

} // namespace quorvane
