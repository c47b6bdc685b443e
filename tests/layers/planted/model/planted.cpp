// Offences planted for the include scan's own test; never compiled.
#include "io/engine.h"
#include "model/commands.h"
#include <QObject>
#  include "app/mainwindow.h"
#include <QtWidgets>
#include "window/library/librarypanel.h"
