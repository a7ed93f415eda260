// The link to the form library. The progress window (IProgress_001, GetIProgressEx) and
// the list window (ShowFileList1) are linked by import: the plug-in does not load without
// the library.
#pragma once

#include "formlib/ComFormLibs.h"
