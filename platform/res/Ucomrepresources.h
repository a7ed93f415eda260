// Report text variables (rrstr…): plain strings in the report language.
#pragma once

#include "res/ResNames.gen.h"
