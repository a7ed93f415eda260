// Colours of the windows, shared by every form of the package.
#pragma once

#include <cstdint>

// Colours are 0x00BBGGRR values, as the platform stores them.
using TColor = std::int32_t;

extern TColor clDisabled;        // background of a control that cannot be edited
extern TColor clNotRecord;       // a grid with no records
extern TColor clHotCaption;      // captions that ask for attention
extern TColor clPaleBackground;  // panels behind lists
extern TColor clMainBackground;  // the windows' own background
