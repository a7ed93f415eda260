// Shared icons loaded from a module's registered resources.
#include "vcl/Icons.h"

#include "rtl/Module.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace vcl;

struct Image {
    unsigned char width, height;  // 0 stands for 256
    std::uint16_t bits;
};

// An .ico file: the directory (reserved 0, type 1, count), one 16-byte entry per image,
// then 8 bytes of data per image.
std::vector<unsigned char> IcoFile(const std::vector<Image>& images) {
    std::vector<unsigned char> b = {0, 0, 1, 0, static_cast<unsigned char>(images.size()), 0};
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Image& im : images) {
        const unsigned char entry[16] = {im.width, im.height, 0, 0, 1, 0,
                                         static_cast<unsigned char>(im.bits), static_cast<unsigned char>(im.bits >> 8),
                                         8, 0, 0, 0,
                                         static_cast<unsigned char>(offset), static_cast<unsigned char>(offset >> 8), 0, 0};
        b.insert(b.end(), entry, entry + 16);
        offset += 8;
    }
    b.insert(b.end(), 8 * images.size(), 0xAB);
    return b;
}

// Resources must outlive their registration: static data, as a module's would be.
const std::vector<unsigned char> kTwoSizes = IcoFile({{16, 16, 32}, {48, 48, 8}, {32, 32, 32}});
const std::vector<unsigned char> kLarge = IcoFile({{0, 0, 32}, {64, 64, 32}});
const std::vector<unsigned char> kGarbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'};
const std::vector<unsigned char> kTruncated(kTwoSizes.begin(), kTwoSizes.end() - 1);

class Icons : public ::testing::Test {
protected:
    // Two fake modules: any distinct addresses serve as module bases.
    const void* const moduleA = &kTwoSizes;
    const void* const moduleB = &kLarge;

    void SetUp() override {
        rtl::RegisterResource(moduleA, rtl::RT_GROUP_ICON, "MAINICON", kTwoSizes);
        rtl::RegisterResource(moduleA, rtl::RT_GROUP_ICON, "GARBAGE", kGarbage);
        rtl::RegisterResource(moduleA, rtl::RT_GROUP_ICON, "TRUNCATED", kTruncated);
        rtl::RegisterResource(moduleA, rtl::RT_BITMAP, "PICTURE", kTwoSizes);
        rtl::RegisterResource(moduleB, rtl::RT_GROUP_ICON, "MAINICON", kLarge);
    }
    void TearDown() override {
        for (const void* m : {moduleA, moduleB}) {
            FreeModuleIcons(m);
            rtl::UnregisterResources(m);
        }
    }
};

TEST_F(Icons, LoadingTwiceGivesTheSameHandleAndTheLargestImage) {
    const HICON icon = LoadIconShared(moduleA, "MAINICON");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconShared(moduleA, "MAINICON"), icon);
    EXPECT_EQ(LoadIconShared(moduleA, "mainIcon"), icon) << "resource names ignore case";
    const TIconInfo info = GetIconInfo(icon);
    EXPECT_EQ(info.Width, 48);
    EXPECT_EQ(info.Height, 48);
    EXPECT_EQ(info.BitCount, 8);
    EXPECT_EQ(info.Images, 3);

    const HICON other = LoadIconShared(moduleB, "MAINICON");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, icon) << "the same name in another module is another icon";
    EXPECT_EQ(GetIconInfo(other).Width, 256) << "a width byte of 0 means 256";
    EXPECT_EQ(GetIconInfo(other).Height, 256);
}

TEST_F(Icons, MissingOrBrokenResourcesGiveNoIcon) {
    EXPECT_EQ(LoadIconShared(moduleA, "NOSUCHICON"), nullptr);
    EXPECT_EQ(LoadIconShared(moduleA, "GARBAGE"), nullptr);
    EXPECT_EQ(LoadIconShared(moduleA, "TRUNCATED"), nullptr);
    EXPECT_EQ(LoadIconShared(moduleA, "PICTURE"), nullptr) << "a bitmap is not an icon group";
    EXPECT_EQ(LoadIconShared(&kGarbage, "MAINICON"), nullptr) << "a module with no resources";
    const TIconInfo none = GetIconInfo(nullptr);
    EXPECT_EQ(none.Width, 0);
    EXPECT_EQ(none.Height, 0);
    EXPECT_EQ(none.Images, 0);
}

TEST_F(Icons, FreeModuleIconsFreesOnlyThatModulesIcons) {
    const HICON a = LoadIconShared(moduleA, "MAINICON");
    const HICON b = LoadIconShared(moduleB, "MAINICON");
    ASSERT_TRUE(a && b);
    FreeModuleIcons(moduleA);
    EXPECT_EQ(GetIconInfo(a).Width, 0) << "the freed handle is no longer an icon";
    EXPECT_EQ(GetIconInfo(b).Width, 256);
    const HICON again = LoadIconShared(moduleA, "MAINICON");
    ASSERT_NE(again, nullptr) << "the resource is still registered";
    EXPECT_EQ(GetIconInfo(again).Width, 48);
}

}  // namespace
