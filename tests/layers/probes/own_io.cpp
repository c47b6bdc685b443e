// What input and output may include: its own headers and the domain's.
#include "domain/areaname.h"
#include "io/engineclient.h"
