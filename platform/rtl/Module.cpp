#include "rtl/Module.h"

#include "rtl/Strings.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <tuple>

namespace rtl {
namespace {

thread_local std::string lastError;

struct Key {
    const void* module;
    std::string type;
    std::string name;  // upper-cased
    bool operator<(const Key& o) const { return std::tie(module, type, name) < std::tie(o.module, o.type, o.name); }
};

// Libraries register their resources from their static initialisers; the lock keeps the
// table sound even if a library is loaded off the user-interface thread.
struct Table {
    std::mutex lock;
    std::map<Key, std::span<const unsigned char>> entries;
};

// Never destroyed: libraries unregister from their unload hooks, which may run after
// this unit's static objects are gone.
Table& Resources() {
    static Table& table = *new Table;
    return table;
}

}  // namespace

HMODULE LoadLibrary(const std::string& nameOrPath) {
    HMODULE h = ::dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        const char* e = ::dlerror();
        lastError = e ? e : ("cannot load " + nameOrPath);
    }
    return h;
}

void FreeLibrary(HMODULE module) {
    if (module) ::dlclose(module);
}

void* GetProcAddress(HMODULE module, const char* name) {
    if (!module) return nullptr;
    ::dlerror();
    return ::dlsym(module, name);
}

std::string LastLibraryError() { return lastError; }

const void* ModuleBaseOf(const void* address) {
    Dl_info info{};
    return ::dladdr(address, &info) ? info.dli_fbase : nullptr;
}

std::string ModuleFileNameOf(const void* address) {
    Dl_info info{};
    return ::dladdr(address, &info) && info.dli_fname ? std::string(info.dli_fname) : std::string();
}

void RegisterResource(const void* moduleBase, std::string_view type, std::string_view name,
                      std::span<const unsigned char> data) {
    auto& t = Resources();
    std::lock_guard guard(t.lock);
    t.entries[Key{moduleBase, std::string(type), UpperCase(name)}] = data;
}

void UnregisterResources(const void* moduleBase) {
    auto& t = Resources();
    std::lock_guard guard(t.lock);
    for (auto it = t.entries.begin(); it != t.entries.end();)
        it = it->first.module == moduleBase ? t.entries.erase(it) : std::next(it);
}

std::span<const unsigned char> FindResource(const void* moduleBase, std::string_view type, std::string_view name) {
    auto& t = Resources();
    std::lock_guard guard(t.lock);
    const auto it = t.entries.find(Key{moduleBase, std::string(type), UpperCase(name)});
    return it == t.entries.end() ? std::span<const unsigned char>() : it->second;
}

}  // namespace rtl
