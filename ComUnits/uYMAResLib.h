// The picture library "YMARes.dll": loaded once when the module loads, released when it
// unloads. Any failure leaves the handle empty; windows then go without button pictures.
#pragma once

#include "rtl/Module.h"

rtl::HMODULE YMAResLibHandle();
