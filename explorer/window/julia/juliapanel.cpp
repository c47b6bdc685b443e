#include "window/julia/juliapanel.h"

#include "domain/juliaview.h"
#include "domain/numbertext.h"
#include "model/explorer.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {
constexpr int LeftButton = Qt::LeftButton;
} // namespace

JuliaPanel::JuliaPanel(Explorer& explorer, const JuliaControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.Julia, &QPushButton::clicked, this, &JuliaPanel::Julia_Click);
    connect(ui.JuliaGo, &QPushButton::clicked, this, &JuliaPanel::JuliaGo_Click);
    connect(ui.StopJulia, &QPushButton::clicked, this, &JuliaPanel::StopJulia_Click);
    connect(&model, &Explorer::changed, this, &JuliaPanel::render);
    render();
}

void JuliaPanel::Julia_Click() {
    model.toggleJulia();
}

void JuliaPanel::JuliaGo_Click() {
    model.runJulia();
}

void JuliaPanel::StopJulia_Click() {
    model.stopWork();
}

void JuliaPanel::Sfondo_MouseDown(int button, int, int x, int y) {
    if (button == LeftButton)
        model.pressAt(x, y);
}

void JuliaPanel::Sfondo_MouseMove(int button, int, int x, int y) {
    if (button == LeftButton)
        if (insidePicture(x, y))
            model.pressAt(x, y);
}

void JuliaPanel::Sfondo_MouseUp(int button, int, int x, int y) {
    if (button == LeftButton)
        model.releaseAt(x, y);
}

void JuliaPanel::render() {
    const JuliaState& julia = model.julia().state();
    ui.frameJulia->setVisible(model.mode() == MainMode::Julia);
    showText(ui.XXJU, julia.xText);
    showText(ui.YYJU, julia.yText);
    showText(ui.JuliaZoom, numberText(julia.view.zoom));
    if (model.julia().thumbnail().cacheKey() != thumbnailShown) {
        thumbnailShown = model.julia().thumbnail().cacheKey();
        QIcon icon(QPixmap::fromImage(model.julia().thumbnail()));
        icon.addPixmap(QPixmap::fromImage(model.noIcona()), QIcon::Disabled);
        ui.JuliaGo->setIcon(icon);
    }
}

} // namespace quorvane
