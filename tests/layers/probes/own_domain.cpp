// What the domain may include: its own headers, the engine's formats, Qt Gui.
#include "domain/selection.h"
#include "exchange.h"

#include <QImage>
