// R_Cards.dll as the console uses it: loaded with dlopen from the program's folder and
// reached only through its three exported entry points.
#include "res/Ucomresources.h"
#include "rtl/Cp1251.h"
#include "rtl/Files.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "vcl/Icons.h"
#include "vcl/ScriptedUI.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

namespace {

// The console's side of the contract.
struct ServiceAttributes {
    char* Caption;
    char* Description;
    void* Icon;
    char* IconName;
};
using TGetServiceList = char** (*)();
using TGetServiceAttribute = void (*)(ServiceAttributes*, const char*);
using TInitServiceForm = void* (*)(const char*, const char*, void*);

constexpr const char* kIdentity = "0EF61559-3F5C-47D1-8B69-6641EC49CD58";
// "Отчеты по картам (Ruv)" in Windows-1251.
constexpr const char* kCaption1251 = "\xCE\xF2\xF7\xE5\xF2\xFB \xEF\xEE \xEA\xE0\xF0\xF2\xE0\xEC (Ruv)";

// Loads the library once for the whole program, noting the process's short date format
// just before and just after, since loading it changes that format.
class Plugin : public ::testing::Environment {
public:
    void SetUp() override {
        dateFormatBefore = rtl::FormatSettings().ShortDateFormat;
        handle = ::dlopen((rtl::HostExeFolder() + "R_Cards.dll").c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* e = ::dlerror();
            error = e ? e : "dlopen failed";
            return;
        }
        dateFormatAfter = rtl::FormatSettings().ShortDateFormat;
        getServiceList = reinterpret_cast<TGetServiceList>(::dlsym(handle, "GetServiceList"));
        getServiceAttribute = reinterpret_cast<TGetServiceAttribute>(::dlsym(handle, "GetServiceAttribute"));
        initServiceForm = reinterpret_cast<TInitServiceForm>(::dlsym(handle, "InitServiceForm"));
    }
    void TearDown() override {
        if (handle) ::dlclose(handle);
    }

    void* handle = nullptr;
    std::string error;
    std::string dateFormatBefore, dateFormatAfter;
    TGetServiceList getServiceList = nullptr;
    TGetServiceAttribute getServiceAttribute = nullptr;
    TInitServiceForm initServiceForm = nullptr;
};

Plugin* const plugin = static_cast<Plugin*>(::testing::AddGlobalTestEnvironment(new Plugin));

class R_CardsDll : public ::testing::Test {
protected:
    vcl::TScriptedUI ui;

    void SetUp() override {
        ASSERT_NE(plugin->handle, nullptr) << plugin->error;
        ASSERT_NE(plugin->getServiceList, nullptr);
        ASSERT_NE(plugin->getServiceAttribute, nullptr);
        ASSERT_NE(plugin->initServiceForm, nullptr);
    }
    void TearDown() override { SetComLanguages(nullptr); }

    static ServiceAttributes Attributes(const char* identity) {
        ServiceAttributes a{};
        plugin->getServiceAttribute(&a, identity);
        return a;
    }

    // Checks the record holds the card report service.
    static void ExpectCardReportService(const ServiceAttributes& a) {
        ASSERT_NE(a.Caption, nullptr);
        ASSERT_NE(a.Description, nullptr);
        ASSERT_NE(a.IconName, nullptr);
        EXPECT_STREQ(a.Caption, kCaption1251);
        EXPECT_EQ(std::string(a.Caption), rtl::Utf8ToCp1251("Отчеты по картам (Ruv)"));
        EXPECT_STREQ(a.Description, a.Caption);
        EXPECT_STREQ(a.IconName, "ICON1");
        ASSERT_NE(a.Icon, nullptr);
        const vcl::TIconInfo info = vcl::GetIconInfo(static_cast<vcl::HICON>(a.Icon));
        EXPECT_EQ(info.Width, 32);
        EXPECT_EQ(info.Height, 32);
        EXPECT_GT(info.Images, 0);
    }

    static std::string NotFoundText(const std::string& identityUtf8) {
        return rtl::Format(TranslateAplText(rstr_fmtmsg_ServiceIsNotFound), {identityUtf8});
    }

    void ExpectOneNotFoundBox(const std::string& identityUtf8) const {
        ASSERT_EQ(ui.Boxes().size(), 1u);
        const vcl::TRecordedBox& box = ui.LastBox();
        EXPECT_EQ(box.Owner, nullptr);
        EXPECT_EQ(box.Caption, "");
        EXPECT_EQ(box.Icon(), vcl::TMsgIcon::Error);
        EXPECT_EQ(box.Buttons(), vcl::MB_OK);
        EXPECT_EQ(box.Text, NotFoundText(identityUtf8));
    }
};

TEST_F(R_CardsDll, ServiceListHoldsTheOneServiceThenNull) {
    char** list = plugin->getServiceList();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list[0], nullptr);
    EXPECT_STREQ(list[0], kIdentity);
    EXPECT_EQ(list[1], nullptr);
    EXPECT_EQ(plugin->getServiceList(), list);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(R_CardsDll, KnownIdentityInAnyCaseGivesTheServiceWithoutAMessage) {
    const char* identities[] = {kIdentity, "0ef61559-3f5c-47d1-8b69-6641ec49cd58", "0Ef61559-3f5C-47d1-8B69-6641Ec49cD58"};
    const ServiceAttributes first = Attributes(kIdentity);
    for (const char* identity : identities) {
        SCOPED_TRACE(identity);
        const ServiceAttributes a = Attributes(identity);
        ExpectCardReportService(a);
        EXPECT_EQ(a.Icon, first.Icon) << "the icon is shared";
        EXPECT_EQ(a.Caption, first.Caption) << "the texts are the library's own";
    }
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(R_CardsDll, UnknownIdentityIsReportedAndFallsBackToTheCardReportService) {
    const std::string cyrillic1251 = rtl::Utf8ToCp1251("Сервис №1");
    const std::pair<const char*, std::string> cases[] = {
        {"{0EF61559-3F5C-47D1-8B69-6641EC49CD58}", "{0EF61559-3F5C-47D1-8B69-6641EC49CD58}"},
        {"0EF61559-3F5C-47D1-8B69-6641EC49CD5", "0EF61559-3F5C-47D1-8B69-6641EC49CD5"},
        {"", ""},
        {cyrillic1251.c_str(), "Сервис №1"},
    };
    for (const auto& [identity, utf8] : cases) {
        SCOPED_TRACE(utf8);
        ui.Clear();
        const ServiceAttributes a = Attributes(identity);
        ExpectOneNotFoundBox(utf8);
        ExpectCardReportService(a);
    }
}

TEST_F(R_CardsDll, InitServiceFormReturnsNullForAnUnknownIdentity) {
    for (const std::string& identity : {"{" + std::string(kIdentity) + "}", std::string("R_Cards")}) {
        ui.Clear();
        EXPECT_EQ(plugin->initServiceForm(identity.c_str(), "0101", nullptr), nullptr);
        ExpectOneNotFoundBox(identity);
    }
}

TEST_F(R_CardsDll, MessagesFollowTheProgramsLanguageModule) {
    SetComLanguages(std::make_unique<TEnglishLanguagesDM>());
    EXPECT_EQ(plugin->initServiceForm("unknown", "1", nullptr), nullptr);
    ExpectOneNotFoundBox("unknown");
    EXPECT_EQ(ui.LastBox().Text, "Service unknown was not found.");
}

TEST_F(R_CardsDll, LoadingWidensTheProcessShortDateFormat) {
    EXPECT_EQ(plugin->dateFormatBefore, "dd.MM.yyyy");
    EXPECT_EQ(plugin->dateFormatAfter, "DD.MM.YYYY");
    EXPECT_EQ(rtl::FormatSettings().ShortDateFormat, "DD.MM.YYYY");
}

TEST_F(R_CardsDll, OnlyTheEntryPointsAreExported) {
    EXPECT_EQ(::dlsym(plugin->handle, "FindService"), nullptr);
    EXPECT_EQ(::dlsym(plugin->handle, "_Z11FindServiceSt17basic_string_viewIcSt11char_traitsIcEE"), nullptr);
    EXPECT_EQ(::dlsym(plugin->handle, "_Z14GetServiceGUIDv"), nullptr);
}

}  // namespace
