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

// The computed picture on the screen that can be computed again at any
// size, its palette held: the picture outside the modes when ready, or a
// completed Julia picture in Julia mode; none over a blank screen or a
// trace, and none while browsing, on the chart or with the grid on.
const Picture* exportablePicture(MainMode mode, const PictureHistory& pictures,
                                 const JuliaSession& julia);

} // namespace quorvane
