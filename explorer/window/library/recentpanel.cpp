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

// While browsing, the position among the pictures browsed and the name of
// the one shown; otherwise the pictures there are to browse back to.
void RecentPanel::render() {
    const PictureHistory& history = model.history();
    const bool browsing = model.mode() == MainMode::Browsing;
    const int count = browsing ? history.browseCount() : history.olderCount();
    showText(ui.LastImage, QStringLiteral("%1/%2").arg(history.browsePosition()).arg(count));
    showText(ui.LastName, browsing ? history.browsed().name() : QString());
}

} // namespace quorvane
