#include "ComUnits/uLongPathFilesFunctions.h"

#include "rtl/Files.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"

#include <cerrno>
#include <cstdio>

bool LPMoveFile(std::string_view from, std::string_view to) {
    const std::string src(from), dst(to);
    if (!rtl::FileExists(src) && !rtl::DirectoryExists(src)) return false;
    if (rtl::DirectoryExists(dst)) return false;
    if (std::rename(src.c_str(), dst.c_str()) == 0) return true;
    if (errno != EXDEV || rtl::DirectoryExists(src)) return false;
    // Another file system: copy, then remove the source only once the copy is whole.
    return rtl::CopyFile(src, dst, false) && rtl::DeleteFile(src);
}

bool LPCopyFile(std::string_view from, std::string_view to, bool failIfExists) {
    return rtl::CopyFile(from, to, failIfExists);
}

bool LPDeleteFile(std::string_view name) { return rtl::DeleteFile(rtl::Trim(name)); }

bool LPCreateDir(std::string_view dir) { return rtl::CreateDir(dir); }

bool LPForceDirectories(std::string_view dir) {
    // rtl::ForceDirectories raises for an empty name and treats the root as present.
    return rtl::ForceDirectories(dir);
}

bool LPDirectoryExists(std::string_view dir) { return rtl::DirectoryExists(dir); }

std::int32_t LPFileAge(std::string_view name) { return rtl::FileAge(name); }

// Asked of the file system directly: a file dated before 1980 has no DOS date but exists.
bool LPFileExists(std::string_view name) { return rtl::FileExists(name); }

bool LPCopyFiles(std::string_view fromList, std::string_view toList) {
    rtl::TStringList from, to;
    from.SetCommaText(fromList);
    to.SetCommaText(toList);
    if (from.Count() != to.Count()) return false;
    bool ok = true;
    for (int i = 0; i < from.Count(); ++i) {
        const std::string dir = rtl::ExtractFileDir(to[i]);
        if (!dir.empty()) LPForceDirectories(dir);
        ok = LPCopyFile(from[i], to[i], false) && ok;
    }
    return ok;
}

std::string LPUniqueFileName(std::string_view name) {
    if (!LPFileExists(name) && !LPDirectoryExists(name)) return std::string(name);
    const std::string ext = rtl::ExtractFileExt(name);
    const std::string stem = rtl::ChangeFileExt(name, "");
    for (unsigned long i = 0;; ++i) {
        std::string candidate = stem + std::to_string(i) + ext;
        if (!LPFileExists(candidate) && !LPDirectoryExists(candidate)) return candidate;
    }
}
