// Must not compile in the domain or in input and output: the model is above them.
#include "model/explorer.h"
