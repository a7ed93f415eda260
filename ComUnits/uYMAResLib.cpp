#include "ComUnits/uYMAResLib.h"

#include "rtl/Files.h"

namespace {

struct ResLib {
    rtl::HMODULE handle = nullptr;
    ResLib() {
        handle = rtl::LoadLibrary(rtl::HostExeFolder() + "YMARes.dll");
        if (!handle) handle = rtl::LoadLibrary("YMARes.dll");
    }
    ~ResLib() { rtl::FreeLibrary(handle); }
};

ResLib& TheLib() {
    static ResLib lib;
    return lib;
}

[[maybe_unused]] const bool kLoadedAtLoad = (TheLib(), true);

}  // namespace

rtl::HMODULE YMAResLibHandle() { return TheLib().handle; }
