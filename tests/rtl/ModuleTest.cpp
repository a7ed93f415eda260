// Libraries and the resources registered for them.
#include "rtl/Module.h"

#include "rtl/Files.h"
#include "rtl/Strings.h"

#include <gtest/gtest.h>

#include <string>

using namespace rtl;

namespace {

const unsigned char kIcon[] = {1, 2, 3};
const unsigned char kOther[] = {9};

TEST(Module, ResourcesAreFoundByModuleTypeAndNameInAnyCase) {
    const void* base = &kIcon;  // any address serves as a key
    const void* otherBase = &kOther;
    RegisterResource(base, RT_GROUP_ICON, "MainIcon", kIcon);
    RegisterResource(otherBase, RT_GROUP_ICON, "MainIcon", kOther);
    auto found = FindResource(base, RT_GROUP_ICON, "MAINICON");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found.data(), kIcon);
    EXPECT_EQ(FindResource(otherBase, RT_GROUP_ICON, "mainicon").data(), kOther);
    EXPECT_TRUE(FindResource(base, RT_BITMAP, "MainIcon").empty());
    EXPECT_TRUE(FindResource(base, RT_GROUP_ICON, "Other").empty());
    UnregisterResources(base);
    EXPECT_TRUE(FindResource(base, RT_GROUP_ICON, "MainIcon").empty());
    EXPECT_FALSE(FindResource(otherBase, RT_GROUP_ICON, "MainIcon").empty());
    UnregisterResources(otherBase);
}

TEST(Module, LibrariesLoadByPathAndReportFailures) {
    EXPECT_EQ(LoadLibrary(HostExeFolder() + "no-such-library.so"), nullptr);
    EXPECT_NE(LastLibraryError().find("no-such-library.so"), std::string::npos);

    const std::string runtime = ModuleFileNameOf(reinterpret_cast<const void*>(&Trim));
    EXPECT_EQ(ExtractFileName(runtime), "librtl.so");
    EXPECT_NE(ModuleBaseOf(reinterpret_cast<const void*>(&Trim)), nullptr);
    EXPECT_NE(ModuleBaseOf(reinterpret_cast<const void*>(&Trim)), ModuleBaseOf(&kIcon));  // not the test program

    HMODULE h = LoadLibrary(runtime);
    ASSERT_NE(h, nullptr) << LastLibraryError();
    EXPECT_EQ(GetProcAddress(h, "no_such_procedure"), nullptr);
    FreeLibrary(h);

    // A bare name is looked up on the system's library path.
    HMODULE libc = LoadLibrary("libc.so.6");
    ASSERT_NE(libc, nullptr) << LastLibraryError();
    const auto length = reinterpret_cast<std::size_t (*)(const char*)>(GetProcAddress(libc, "strlen"));
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length("four"), 4u);
    FreeLibrary(libc);
    EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
    FreeLibrary(nullptr);
}

}  // namespace
