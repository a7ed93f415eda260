// Exception classes of the runtime layer. Every error is an exception carrying a text;
// the class name is part of the contract (callers look for "ETerminated", say).
#pragma once

#include <exception>
#include <string>

namespace rtl {

// Base of every error the system raises. ClassName() names the class as the original
// platform would, so code that inspects it by name keeps working.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string message_;
};

#define RTL_EXCEPTION_CLASS(Name, Parent)                                   \
    class Name : public Parent {                                            \
        using Base_ = Parent;                                               \
                                                                            \
    public:                                                                 \
        using Base_::Base_;                                                 \
        const char* ClassName() const noexcept override { return #Name; }   \
    };

RTL_EXCEPTION_CLASS(EConvertError, Exception)      // a text that does not convert
RTL_EXCEPTION_CLASS(EAbort, Exception)             // a silent abort
RTL_EXCEPTION_CLASS(EInOutError, Exception)        // file and folder failures
RTL_EXCEPTION_CLASS(EListError, Exception)         // index out of range and the like
RTL_EXCEPTION_CLASS(EStringListError, EListError)  // duplicates refused, bad index
RTL_EXCEPTION_CLASS(EVariantError, Exception)      // variant conversions
RTL_EXCEPTION_CLASS(EVariantTypeCastError, EVariantError)
RTL_EXCEPTION_CLASS(EInvalidOperation, Exception)
RTL_EXCEPTION_CLASS(EInvalidPointer, Exception)
RTL_EXCEPTION_CLASS(ERangeError, Exception)
RTL_EXCEPTION_CLASS(EIniFileException, Exception)
RTL_EXCEPTION_CLASS(ETerminated, Exception)        // a thread or loop that was told to stop
RTL_EXCEPTION_CLASS(EInvalidCast, Exception)       // an object of the wrong class
RTL_EXCEPTION_CLASS(EPropertyError, Exception)     // a named property the class does not have

// The failure of an operating-system call; ErrorCode is the errno (or 0 when unknown).
class EOSError : public Exception {
public:
    EOSError(std::string message, int errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    const char* ClassName() const noexcept override { return "EOSError"; }
    int ErrorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

// A broken programming contract. Always on. The text is the caller's message followed by
// the unit path (without extension) and the line, as "msg (COMUNITS/uChkCount, line 120)".
class EAssertionFailed : public Exception {
public:
    EAssertionFailed(std::string message, std::string unit, int line);
    const char* ClassName() const noexcept override { return "EAssertionFailed"; }
    const std::string& AssertMessage() const noexcept { return assertMessage_; }
    const std::string& Unit() const noexcept { return unit_; }
    int Line() const noexcept { return line_; }

private:
    std::string assertMessage_;
    std::string unit_;
    int line_;
};

// Raises EAssertionFailed(message, unit, line) unless the condition holds.
inline void Assert(bool condition, const std::string& message, const char* unit, int line) {
    if (!condition) throw EAssertionFailed(message, unit, line);
}

// Raises EOSError for the last failed call (errno), naming the system's text for it.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(int errorCode, const std::string& context = {});

// The class name of any exception: the rtl class name, or "Exception" for foreign ones.
const char* ExceptionClassName(const std::exception& e) noexcept;

}  // namespace rtl
