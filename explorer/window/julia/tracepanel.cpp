#include "window/julia/tracepanel.h"

#include "model/explorer.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

TracePanel::TracePanel(Explorer& explorer, const TraceControls& controls)
    : model(explorer), ui(controls) {
    connect(ui.Traccia, &QPushButton::clicked, this, &TracePanel::Traccia_Click);
    connect(ui.StopTraccia, &QPushButton::clicked, this, &TracePanel::StopTraccia_Click);
    connect(&model.julia(), &JuliaSession::traceStepped, this, &TracePanel::showSteps);
    connect(&model, &Explorer::changed, this, &TracePanel::showSteps);
}

void TracePanel::Traccia_Click() {
    model.toggleTrace();
}

void TracePanel::StopTraccia_Click() {
    model.stopWork();
}

// The count of the trace on the screen; the last count stays after it.
void TracePanel::showSteps() {
    if (model.julia().state().trace)
        ui.N_Tracce->setText(QString::number(model.julia().state().traceSteps));
}

} // namespace quorvane
