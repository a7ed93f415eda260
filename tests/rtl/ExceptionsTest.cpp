// The exception classes: names as the platform gives them, assertion texts, system errors.
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

using namespace rtl;

namespace {

TEST(Exceptions, AssertionFailedCarriesMessageUnitAndLine) {
    const EAssertionFailed e("Count mismatch", "COMUNITS/uChkCount", 120);
    EXPECT_EQ(e.Message(), "Count mismatch (COMUNITS/uChkCount, line 120)");
    EXPECT_STREQ(e.what(), "Count mismatch (COMUNITS/uChkCount, line 120)");
    EXPECT_EQ(e.AssertMessage(), "Count mismatch");
    EXPECT_EQ(e.Unit(), "COMUNITS/uChkCount");
    EXPECT_EQ(e.Line(), 120);
    EXPECT_STREQ(e.ClassName(), "EAssertionFailed");

    EXPECT_NO_THROW(Assert(true, "never", "U", 1));
    try {
        Assert(1 + 1 == 3, "arithmetic", "R_Cards/uMain", 7);
        FAIL() << "nothing was raised";
    } catch (const Exception& raised) {
        EXPECT_STREQ(ExceptionClassName(raised), "EAssertionFailed");
        EXPECT_EQ(raised.Message(), "arithmetic (R_Cards/uMain, line 7)");
    }
}

TEST(Exceptions, ClassNamesThroughTheBase) {
    EXPECT_STREQ(ExceptionClassName(EConvertError("x")), "EConvertError");
    EXPECT_STREQ(ExceptionClassName(EStringListError("x")), "EStringListError");
    EXPECT_STREQ(ExceptionClassName(EVariantTypeCastError("x")), "EVariantTypeCastError");
    EXPECT_STREQ(ExceptionClassName(ETerminated("x")), "ETerminated");
    EXPECT_STREQ(ExceptionClassName(EOSError("x", 2)), "EOSError");
    EXPECT_STREQ(ExceptionClassName(Exception("x")), "Exception");
    EXPECT_STREQ(ExceptionClassName(std::runtime_error("foreign")), "Exception");
    // Derived classes are caught as their parents, as the platform's handlers expect.
    EXPECT_THROW(throw EStringListError("dup"), EListError);
    EXPECT_THROW(throw EVariantTypeCastError("cast"), EVariantError);
    EXPECT_THROW(throw EIniFileException("ini"), Exception);
    Exception e("first");
    e.SetMessage("second");
    EXPECT_STREQ(e.what(), "second");
}

TEST(Exceptions, OSErrorsCarryTheCodeAndTheSystemText) {
    try {
        RaiseOSError(ENOENT, "Opening Settings.ini");
        FAIL() << "nothing was raised";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), ENOENT);
        const std::string text = e.Message();
        EXPECT_EQ(text.rfind("Opening Settings.ini: ", 0), 0u) << text;
        EXPECT_NE(text.find("Code: 2."), std::string::npos) << text;
        EXPECT_NE(text.find(std::strerror(ENOENT)), std::string::npos) << text;
    }
    errno = EACCES;
    try {
        RaiseLastOSError();
        FAIL() << "nothing was raised";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), EACCES);
    }
}

}  // namespace
