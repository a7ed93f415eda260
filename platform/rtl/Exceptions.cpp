#include "rtl/Exceptions.h"

#include <cerrno>
#include <cstring>

namespace rtl {

EAssertionFailed::EAssertionFailed(std::string message, std::string unit, int line)
    : Exception(message + " (" + unit + ", line " + std::to_string(line) + ")"),
      assertMessage_(std::move(message)), unit_(std::move(unit)), line_(line) {}

void RaiseOSError(int errorCode, const std::string& context) {
    std::string text = "System Error.  Code: " + std::to_string(errorCode) + ".\n" + std::strerror(errorCode);
    if (!context.empty()) text = context + ": " + text;
    throw EOSError(text, errorCode);
}

void RaiseLastOSError() { RaiseOSError(errno); }

const char* ExceptionClassName(const std::exception& e) noexcept {
    if (auto* ours = dynamic_cast<const Exception*>(&e)) return ours->ClassName();
    return "Exception";
}

}  // namespace rtl
