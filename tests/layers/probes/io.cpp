// Must not compile in the domain: input and output are above it.
#include "io/engine.h"
