// What the model may include: its own headers and those of the layers below.
#include "domain/areaname.h"
#include "io/engine.h"
#include "model/explorer.h"
