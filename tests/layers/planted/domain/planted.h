// Offences planted for the include scan's own test; never compiled.
#include "domain/areaname.h"
#include "exchange.h"
#include <QImage>
#include <qaction.h>
#include <QWidget>
#include <QtWidgets/QLabel>
#include "window/controls.h"
#include "io/engine.h"
#include "../window/sfondo.h"
#include "areaname.h"
