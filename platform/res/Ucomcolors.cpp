#include "res/Ucomcolors.h"

TColor clDisabled = 0x00E0E0E0;
TColor clNotRecord = 0x00D7EBFA;
TColor clHotCaption = 0x00B05000;
TColor clPaleBackground = 0x00F7F3EE;
TColor clMainBackground = 0x00EFE7DD;
