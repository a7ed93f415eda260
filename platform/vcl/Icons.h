// Icons loaded from a module's resources. A loaded icon is shared: loading the same
// resource again gives the same handle, and the icon lives until its module unloads
// (FreeModuleIcons), so a receiver never frees it.
#pragma once

#include "vcl/WinTypes.h"

#include <string_view>

namespace vcl {

struct TIconInfo {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    int Images = 0;  // images in the icon group
};

// The icon group resource `name` of the module, or nullptr when there is none or its
// bytes are not an icon file.
HICON LoadIconShared(const void* moduleBase, std::string_view name);
// The largest image of the icon; all zero for an unknown handle.
TIconInfo GetIconInfo(HICON icon);
// Frees the shared icons of a module (called when it unloads).
void FreeModuleIcons(const void* moduleBase);

}  // namespace vcl
