#include "rtl/Files.h"

#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace rtl {
namespace {

std::string Str(std::string_view s) { return std::string(s); }

}  // namespace

bool FileExists(std::string_view name) {
    struct stat st {};
    return !name.empty() && ::stat(Str(name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view name) {
    struct stat st {};
    return !name.empty() && ::stat(Str(name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(std::string_view dir) { return !dir.empty() && ::mkdir(Str(dir).c_str(), 0777) == 0; }

bool ForceDirectories(std::string_view dir) {
    if (dir.empty()) throw EInOutError("Unable to create directory");
    std::string d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty() || DirectoryExists(d)) return true;
    const std::string parent = ExtractFileDir(d);
    if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
    return CreateDir(d) || DirectoryExists(d);
}

bool RemoveDir(std::string_view dir) { return ::rmdir(Str(dir).c_str()) == 0; }
bool DeleteFile(std::string_view name) { return !DirectoryExists(name) && ::unlink(Str(name).c_str()) == 0; }
bool RenameFile(std::string_view from, std::string_view to) {
    // The platform's rename refuses an existing target.
    if (FileExists(to) || DirectoryExists(to)) return false;
    return std::rename(Str(from).c_str(), Str(to).c_str()) == 0;
}

bool CopyFile(std::string_view from, std::string_view to, bool failIfExists) {
    const std::string src = Str(from), dst = Str(to);
    struct stat st {};
    if (::stat(src.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    if (failIfExists && (FileExists(dst) || DirectoryExists(dst))) return false;
    if (DirectoryExists(dst)) return false;
    const int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    // Copy into a temporary beside the target, then rename: a failed copy leaves no
    // half-written target behind.
    const std::string temp = dst + ".part" + std::to_string(::getpid());
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 07777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    ::fchmod(out, st.st_mode & 07777);  // the creation mask must not narrow the copy's permissions
    std::vector<char> buf(1 << 16);
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0) { ok = false; break; }
        if (n == 0) break;
        ssize_t done = 0;
        while (done < n) {
            const ssize_t w = ::write(out, buf.data() + done, static_cast<std::size_t>(n - done));
            if (w <= 0) { ok = false; break; }
            done += w;
        }
        if (!ok) break;
    }
    ::close(in);
    if (::close(out) != 0) ok = false;
    if (ok) ok = std::rename(temp.c_str(), dst.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

std::int32_t FileAge(std::string_view name) {
    struct stat st {};
    if (name.empty() || ::stat(Str(name).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
    return DateTimeToFileDate(UnixToLocalDateTime(st.st_mtim.tv_sec));
}

std::string ExtractFilePath(std::string_view name) {
    const auto p = name.rfind(PathDelim);
    return p == std::string_view::npos ? std::string() : Str(name.substr(0, p + 1));
}

std::string ExtractFileDir(std::string_view name) {
    const auto p = name.rfind(PathDelim);
    if (p == std::string_view::npos) return {};
    if (p == 0) return "/";  // the root keeps its delimiter
    return Str(name.substr(0, p));
}

std::string ExtractFileName(std::string_view name) {
    const auto p = name.rfind(PathDelim);
    return Str(p == std::string_view::npos ? name : name.substr(p + 1));
}

std::string ExtractFileExt(std::string_view name) {
    const std::string file = ExtractFileName(name);
    const auto p = file.rfind('.');
    return p == std::string::npos ? std::string() : file.substr(p);
}

std::string ChangeFileExt(std::string_view name, std::string_view ext) {
    const std::string file = ExtractFileName(name);
    const auto p = file.rfind('.');
    const std::size_t cut = p == std::string::npos ? name.size() : name.size() - (file.size() - p);
    return Str(name.substr(0, cut)) + Str(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view dir) {
    std::string d = Str(dir);
    if (d.empty() || d.back() != PathDelim) d += PathDelim;
    return d;
}

std::string ExcludeTrailingPathDelimiter(std::string_view dir) {
    std::string d = Str(dir);
    if (d.size() > 1 && d.back() == PathDelim) d.pop_back();
    else if (d == "/") d.clear();
    return d;
}

std::string ExpandFileName(std::string_view name) {
    if (name.empty()) return {};
    std::string path = name.front() == PathDelim ? Str(name) : IncludeTrailingPathDelimiter(GetCurrentDir()) + Str(name);
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i <= path.size()) {
        const auto next = path.find(PathDelim, i);
        const std::size_t end = next == std::string::npos ? path.size() : next;
        const std::string part = path.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (next == std::string::npos) break;
        i = next + 1;
    }
    std::string out;
    for (const auto& p : parts) out += PathDelim + p;
    if (out.empty()) out = "/";
    // A trailing delimiter names a folder; keep it.
    if (path.size() > 1 && path.back() == PathDelim && out != "/") out += PathDelim;
    return out;
}

std::string GetCurrentDir() {
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string();
}

std::string GetTempDir() {
    const char* t = std::getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(t && *t ? t : "/tmp");
}

std::string HostExeName() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

std::string HostExeFolder() { return ExtractFilePath(HostExeName()); }

std::uint32_t GetTickCount() noexcept {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::uint64_t ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

}  // namespace rtl
