// What the screen shows in each mode: the picture, and the overlays drawn
// above it, worked out from the parts that hold them.
#pragma once

#include "domain/overlays.h"
#include "model/commands.h"
#include "model/history.h"
#include "model/juliasession.h"
#include "model/navigator.h"

#include <QImage>

namespace quorvane {

// The picture on the screen: the one browsed, the Julia picture or trace in
// Julia mode, black under the chart, else the picture outside the modes.
QImage sceneImage(MainMode mode, const PictureHistory& pictures, const JuliaSession& julia);

// The grid and its selection, a confirmed selection's frame, the chart's
// bars, and Julia mode's marks, each where its mode shows it.
Overlays sceneOverlays(MainMode mode, Work work, const Navigator& where,
                       const PictureHistory& pictures, const JuliaSession& julia);

} // namespace quorvane
