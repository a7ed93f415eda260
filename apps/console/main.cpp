// The console host: it plays the operator console for the card report plug-in. It loads
// R_Cards.dll from its own folder, knowing nothing of the library but its three exported
// entry points, and lists the services the library offers.
#include "rtl/Cp1251.h"
#include "rtl/Files.h"
#include "rtl/Module.h"
#include "vcl/Icons.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// The console's side of the entry-point contract.
struct ServiceAttributes {
    char* Caption;
    char* Description;
    vcl::HICON Icon;
    char* IconName;
};
using TGetServiceList = char** (*)();
using TGetServiceAttribute = void (*)(ServiceAttributes*, const char*);
using TInitServiceForm = void* (*)(const char*, const char*, void*);

constexpr const char* kPluginName = "R_Cards.dll";

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "Usage: console <command> [options]\n"
                 "\n"
                 "The operator console of the card report service.\n"
                 "\n"
                 "Commands:\n"
                 "  list      load %s from this program's folder and list the services it offers\n"
                 "            (identity, caption, description and icon)\n"
                 "\n"
                 "Options:\n"
                 "  -h, --help  show this help (also: console <command> --help)\n",
                 kPluginName);
}

std::string Text(const char* cp1251) { return cp1251 ? rtl::Cp1251ToUtf8(cp1251) : std::string("(none)"); }

int List() {
    const std::string path = rtl::HostExeFolder() + kPluginName;
    rtl::HMODULE lib = rtl::LoadLibrary(path);
    if (!lib) {
        std::fprintf(stderr, "console: cannot load the plug-in \"%s\": %s\n", path.c_str(), rtl::LastLibraryError().c_str());
        return 1;
    }
    auto getList = reinterpret_cast<TGetServiceList>(rtl::GetProcAddress(lib, "GetServiceList"));
    auto getAttribute = reinterpret_cast<TGetServiceAttribute>(rtl::GetProcAddress(lib, "GetServiceAttribute"));
    auto initForm = reinterpret_cast<TInitServiceForm>(rtl::GetProcAddress(lib, "InitServiceForm"));
    if (!getList || !getAttribute || !initForm) {
        std::fprintf(stderr, "console: \"%s\" does not export GetServiceList, GetServiceAttribute and InitServiceForm\n",
                     path.c_str());
        return 1;
    }
    char** services = getList();
    int count = 0;
    for (char** id = services; id && *id; ++id, ++count) {
        ServiceAttributes attributes{};
        getAttribute(&attributes, *id);
        const vcl::TIconInfo icon = vcl::GetIconInfo(attributes.Icon);
        std::printf("Service %s\n", Text(*id).c_str());
        std::printf("  Caption:     %s\n", Text(attributes.Caption).c_str());
        std::printf("  Description: %s\n", Text(attributes.Description).c_str());
        if (attributes.Icon)
            std::printf("  Icon:        %s (%dx%d, %d-bit, %d images)\n", Text(attributes.IconName).c_str(), icon.Width,
                        icon.Height, icon.BitCount, icon.Images);
        else
            std::printf("  Icon:        %s (not found)\n", Text(attributes.IconName).c_str());
    }
    std::printf("%d service(s) in %s\n", count, path.c_str());
    // The library stays loaded until the program ends: the icons it handed out are its own.
    return count > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string_view command = argv[1];
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            PrintUsage(stdout);
            return 0;
        }
    }
    if (command == "list") {
        if (argc > 2) {
            std::fprintf(stderr, "console list: unexpected argument \"%s\"\n", argv[2]);
            return 2;
        }
        return List();
    }
    std::fprintf(stderr, "console: unknown command \"%s\"\n\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
