#include "ComUnits/uDBGInt.h"

#include "res/Ucomresources.h"
#include "rtl/Files.h"
#include "rtl/Module.h"
#include "vcl/UserInterface.h"

#include <string>

namespace {

constexpr const char* kLibName = "DBG.dll";

struct Link {
    rtl::HMODULE handle = nullptr;
    bool tried = false;
};

// Plain data with constant initialisation: still valid while the unload hook runs.
constinit Link gLink;

Link& TheLink() { return gLink; }

rtl::HMODULE Library() {
    Link& link = TheLink();
    if (!link.tried) {
        link.tried = true;
        // The program's own folder first, as the platform searches, then the loader's path.
        link.handle = rtl::LoadLibrary(rtl::HostExeFolder() + kLibName);
        if (!link.handle) link.handle = rtl::LoadLibrary(kLibName);
    }
    return link.handle;
}

// The export, or nullptr after telling the user which one is missing.
void* Export(const char* name, bool isFunction) {
    rtl::HMODULE lib = Library();
    if (!lib) return nullptr;
    void* proc = rtl::GetProcAddress(lib, name);
    if (!proc) {
        const std::string what = TranslateAplText(isFunction ? rstr_msg_NorFoundFunction : rstr_msg_NorFoundProcedure);
        vcl::ShowMessage(std::string("uDBGInt: ") + what + " " + kLibName + ": \"" + name + "\".");
    }
    return proc;
}

}  // namespace

bool CnfDebugOptionsExt(void* options) {
    auto fn = reinterpret_cast<bool (*)(void*)>(Export("_CnfDebugOptionsExt", true));
    return fn && fn(options);
}

bool DbgIsEnable() {
    auto fn = reinterpret_cast<bool (*)()>(Export("_DbgIsEnable", true));
    return fn && fn();
}

bool DbgIsBeforeReport() {
    auto fn = reinterpret_cast<bool (*)()>(Export("_DbgIsBeforeReport", true));
    return fn && fn();
}

void SetDbgIsEnable(bool value) {
    if (auto fn = reinterpret_cast<void (*)(bool)>(Export("_SetDbgIsEnable", false))) fn(value);
}

void SetDbgIsBeforeReport(bool value) {
    if (auto fn = reinterpret_cast<void (*)(bool)>(Export("_SetDbgIsBeforeReport", false))) fn(value);
}

void UnloadDBGLib() {
    Link& link = TheLink();
    rtl::FreeLibrary(link.handle);
    link = Link{};
}

namespace {
struct Unload {
    ~Unload() { UnloadDBGLib(); }
} unloadAtExit;
}  // namespace
