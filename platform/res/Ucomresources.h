// Application resource names (rstr…) and the report texts kept with them.
#pragma once

#include "res/ResNames.gen.h"
#include "res/Ucomlanguages.h"
