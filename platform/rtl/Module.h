// Shared libraries and the resources compiled into them. A library is loaded by path or
// by bare name; its procedures are found by exported name. Resources (icons, pictures)
// are registered by the module that holds them, keyed by that module's base address, so
// "does this library hold a resource named X" has an answer.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace rtl {

using HMODULE = void*;

// nullptr on failure; LastLibraryError() then tells why.
HMODULE LoadLibrary(const std::string& nameOrPath);
void FreeLibrary(HMODULE module);
void* GetProcAddress(HMODULE module, const char* name);
std::string LastLibraryError();

// Base address and file name of the module that contains the address.
const void* ModuleBaseOf(const void* address);
std::string ModuleFileNameOf(const void* address);

// Resource types as the platform names them.
inline constexpr std::string_view RT_GROUP_ICON = "GROUP_ICON";
inline constexpr std::string_view RT_BITMAP = "BITMAP";
inline constexpr std::string_view RT_RCDATA = "RCDATA";

// The bytes stay owned by the registering module (static data) and must outlive the entry.
void RegisterResource(const void* moduleBase, std::string_view type, std::string_view name,
                      std::span<const unsigned char> data);
void UnregisterResources(const void* moduleBase);
// Names compare case-insensitively; an empty span when the module holds no such resource.
std::span<const unsigned char> FindResource(const void* moduleBase, std::string_view type, std::string_view name);

}  // namespace rtl
