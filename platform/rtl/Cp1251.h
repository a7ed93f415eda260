// Windows-1251, the single-byte code page in which the console exchanges texts with the
// plug-in. Everything inside the system is UTF-8; texts cross the C boundary in 1251.
#pragma once

#include <string>
#include <string_view>

namespace rtl {

// Characters with no place in the code page become '?', as the platform's own
// conversion does.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

}  // namespace rtl
