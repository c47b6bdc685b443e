#include "window/limitspanel.h"

#include "domain/numbertext.h"
#include "model/explorer.h"

#include <QLineEdit>

namespace quorvane {

namespace {

// A box whose text may be longer than the box: the end of it, where a deep
// view's limits differ and the latest letters of a name are, stays in
// sight, and the tooltip holds the whole text under what the box is for.
void showWhole(QLineEdit* box, const QString& text, const QString& tip) {
    if (box->text() != text)
        box->setText(text); // the cursor goes to the end, and the box scrolls there
    box->setToolTip(tip + QLatin1Char('\n') + text);
}

} // namespace

LimitsPanel::LimitsPanel(Explorer& explorer, const LimitControls& controls)
    : model(explorer), ui(controls) {
    for (std::size_t i = 0; i < 4; ++i)
        tips[i] = ui.Limite[i]->toolTip();
    nameTip = ui.RiquadroCorrente->toolTip();
    zoomTip = ui.Zoom->toolTip();
    connect(&model, &Explorer::changed, this, &LimitsPanel::render);
    render();
}

void LimitsPanel::render() {
    const View& v = model.navigator().view();
    // A deep view's texts take exact arithmetic: worked out once a view.
    if (shown == v && locale == QLocale())
        return;
    shown = v;
    locale = QLocale();
    const std::array<QString, 4> texts = limitTexts(v, locale);
    for (std::size_t i = 0; i < 4; ++i)
        showWhole(ui.Limite[i], texts[i], tips[i]);
    showWhole(ui.RiquadroCorrente, v.name.text(), nameTip);
    // A factor's leading digits stay in sight (25^9 has more digits than the
    // box shows); the tooltip holds it whole.
    const QString zoom = zoomText(v.zoom, locale);
    showText(ui.Zoom, zoom);
    ui.Zoom->setToolTip(zoomTip.isEmpty() ? zoom : zoomTip + QLatin1Char('\n') + zoom);
}

} // namespace quorvane
