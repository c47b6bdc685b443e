// Offences planted for the include scan's own test; never compiled.
#include "domain/limits.h"
#include "io/engine.h"
#include <QFile>
#include "model/explorer.h"
#include <QPushButton>
