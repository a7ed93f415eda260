// The library's entry points: the console asks which services the library offers, for
// each service's caption, description and icon, and finally for the window of the
// service the operator opened. Texts cross this boundary in Windows-1251, zero
// terminated and owned by the library for as long as it stays loaded.
#include "R_Cards/uServiceTable.h"

#include "res/Ucomresources.h"
#include "rtl/Cp1251.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtl/Module.h"
#include "vcl/Icons.h"
#include "vcl/UserInterface.h"

#include <array>
#include <span>
#include <string>

extern const unsigned char r_cards_ico[];
extern const std::size_t r_cards_ico_size;

extern "C" {

// What the console receives for a service; the console owns the record, the library the
// texts it points to.
struct ServiceAttributes {
    char* Caption;
    char* Description;
    vcl::HICON Icon;  // shared: the console must not destroy it
    char* IconName;
};

__attribute__((visibility("default"))) char** GetServiceList();
__attribute__((visibility("default"))) void GetServiceAttribute(ServiceAttributes* attributes, const char* identity);
__attribute__((visibility("default"))) void* InitServiceForm(const char* identity, const char* accessMode, void* host);

}  // extern "C"

namespace {

const void* ModuleBase() { return rtl::ModuleBaseOf(reinterpret_cast<const void*>(&GetServiceList)); }

// The table's texts in the console's code page, made once at load.
struct ExportedTexts {
    std::array<std::string, ServiceCount> identity, caption, description, iconName;
    std::array<char*, ServiceCount + 1> list{};

    ExportedTexts() {
        for (int i = 0; i < ServiceCount; ++i) {
            const TServiceRow& row = ServiceRow(i);
            identity[i] = rtl::Utf8ToCp1251(row.Identity);
            caption[i] = rtl::Utf8ToCp1251(row.Caption);
            description[i] = rtl::Utf8ToCp1251(row.Description);
            iconName[i] = rtl::Utf8ToCp1251(row.IconName);
            list[i] = identity[i].data();
        }
        list[ServiceCount] = nullptr;
    }
};

// What loading the library sets up, and unloading takes down again.
struct LibraryState {
    ExportedTexts texts;

    LibraryState() {
        rtl::RegisterResource(ModuleBase(), rtl::RT_GROUP_ICON, "ICON1",
                              std::span<const unsigned char>(r_cards_ico, r_cards_ico_size));
        // Dates are written with a four-digit year throughout the process.
        auto& fs = rtl::FormatSettings();
        fs.ShortDateFormat = WidenShortDateFormat(fs.ShortDateFormat, fs.DateSeparator);
    }
    ~LibraryState() {
        vcl::FreeModuleIcons(ModuleBase());
        rtl::UnregisterResources(ModuleBase());
    }
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

[[maybe_unused]] const bool kInitialisedAtLoad = (State(), true);

// Looks the identity up; an unknown one is reported to the operator.
int LookUp(const char* identity) {
    const std::string id = identity ? rtl::Cp1251ToUtf8(identity) : std::string();
    const int index = FindService(id);
    if (index < 0)
        vcl::MessageBox(nullptr, rtl::Format(TranslateAplText(rstr_fmtmsg_ServiceIsNotFound), {id}), "",
                        vcl::MB_OK | vcl::MB_ICONERROR);
    return index;
}

}  // namespace

extern "C" {

char** GetServiceList() { return State().texts.list.data(); }

void GetServiceAttribute(ServiceAttributes* attributes, const char* identity) {
    int index = LookUp(identity);
    if (index < 0) index = 0;  // an unknown service gets the first service's attributes
    if (!attributes) return;
    ExportedTexts& t = State().texts;
    attributes->Caption = t.caption[index].data();
    attributes->Description = t.description[index].data();
    attributes->Icon = vcl::LoadIconShared(ModuleBase(), ServiceRow(index).IconName);
    attributes->IconName = t.iconName[index].data();
}

void* InitServiceForm(const char* identity, const char* /*accessMode*/, void* /*host*/) {
    const int index = LookUp(identity);
    if (index < 0) return nullptr;
    // The window itself is not part of this build yet; say so instead of handing out
    // something that is not a window.
    throw rtl::Exception(std::string("InitServiceForm: the window of the service \"") + ServiceRow(index).Caption +
                         "\" is not available in this build");
}

}  // extern "C"
