#include "ComUnits/uLongPathFunctions.h"

#include "rtl/Files.h"

std::string LPExpandFileName(std::string_view name) {
    if (name.empty()) return {};
    if (name.front() != rtl::PathDelim && rtl::GetCurrentDir().empty()) return {};
    return rtl::ExpandFileName(name);
}

std::string LPExpandUNCFileName(std::string_view name) { return LPExpandFileName(name); }
