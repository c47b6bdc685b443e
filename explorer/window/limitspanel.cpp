#include "window/limitspanel.h"

#include "domain/numbertext.h"
#include "model/explorer.h"

#include <QLineEdit>

namespace quorvane {

LimitsPanel::LimitsPanel(Explorer& explorer, const LimitControls& controls)
    : model(explorer), ui(controls) {
    connect(&model, &Explorer::changed, this, &LimitsPanel::render);
    render();
}

void LimitsPanel::render() {
    const View& v = model.navigator().view();
    const double limits[4] = {v.limits.xMin, v.limits.xMax, v.limits.yMin, v.limits.yMax};
    for (std::size_t i = 0; i < 4; ++i)
        showText(ui.Limite[i], numberText(limits[i]));
    showText(ui.RiquadroCorrente, v.name.text());
    showText(ui.Zoom, numberText(v.zoom));
}

} // namespace quorvane
