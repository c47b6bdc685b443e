// Must not compile in a layer below the window: it sees no window header.
#include "window/controls.h"
