#include "vcl/Icons.h"

#include "rtl/Module.h"
#include "rtl/Strings.h"

#include <map>
#include <memory>
#include <span>
#include <string>

namespace vcl {
namespace {

struct Icon {
    const void* module;
    TIconInfo info;
};

using IconCache = std::map<std::pair<const void*, std::string>, std::unique_ptr<Icon>>;

// Process-wide and never destroyed: libraries free their icons from their own unload
// hooks, which may run after this unit's static objects are gone.
IconCache& Cache() {
    static IconCache& cache = *new IconCache;
    return cache;
}

unsigned U16(const unsigned char* p) { return p[0] | (p[1] << 8u); }

// Reads the directory of an .ico image: reserved 0, type 1, count, then 16-byte entries.
bool ParseIcon(std::span<const unsigned char> bytes, TIconInfo& info) {
    if (bytes.size() < 6 || U16(bytes.data()) != 0 || U16(bytes.data() + 2) != 1) return false;
    const unsigned count = U16(bytes.data() + 4);
    if (count == 0 || bytes.size() < 6 + 16u * count) return false;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* e = bytes.data() + 6 + 16 * i;
        const int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        const int bits = static_cast<int>(U16(e + 6));
        const std::uint32_t size = e[8] | (e[9] << 8u) | (e[10] << 16u) | (static_cast<std::uint32_t>(e[11]) << 24u);
        const std::uint32_t offset = e[12] | (e[13] << 8u) | (e[14] << 16u) | (static_cast<std::uint32_t>(e[15]) << 24u);
        if (static_cast<std::uint64_t>(offset) + size > bytes.size()) return false;
        if (w * h > info.Width * info.Height) info = TIconInfo{w, h, bits, 0};
    }
    info.Images = static_cast<int>(count);
    return true;
}

}  // namespace

HICON LoadIconShared(const void* moduleBase, std::string_view name) {
    auto key = std::make_pair(moduleBase, rtl::UpperCase(name));
    auto& cache = Cache();
    if (auto it = cache.find(key); it != cache.end()) return reinterpret_cast<HICON>(it->second.get());
    const auto bytes = rtl::FindResource(moduleBase, rtl::RT_GROUP_ICON, name);
    TIconInfo info;
    if (bytes.empty() || !ParseIcon(bytes, info)) return nullptr;
    auto icon = std::make_unique<Icon>(Icon{moduleBase, info});
    HICON handle = reinterpret_cast<HICON>(icon.get());
    cache.emplace(std::move(key), std::move(icon));
    return handle;
}

TIconInfo GetIconInfo(HICON icon) {
    for (const auto& [key, value] : Cache())
        if (reinterpret_cast<HICON>(value.get()) == icon) return value->info;
    return {};
}

void FreeModuleIcons(const void* moduleBase) {
    auto& cache = Cache();
    for (auto it = cache.begin(); it != cache.end();)
        it = it->first.first == moduleBase ? cache.erase(it) : std::next(it);
}

}  // namespace vcl
