// File and folder functions on POSIX paths ('/' is the delimiter). Failures are reported
// through results unless stated; a path function never touches the disk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rtl {

inline constexpr char PathDelim = '/';

bool FileExists(std::string_view name);       // a file that is not a folder
bool DirectoryExists(std::string_view name);
// Creates the folder with every missing parent; true when it exists afterwards. An empty
// name raises EInOutError "Unable to create directory".
bool ForceDirectories(std::string_view dir);
bool CreateDir(std::string_view dir);
bool RemoveDir(std::string_view dir);
bool DeleteFile(std::string_view name);
bool RenameFile(std::string_view from, std::string_view to);
// Copies contents and permissions; with failIfExists an existing target is kept.
bool CopyFile(std::string_view from, std::string_view to, bool failIfExists);
// Last-write time in local time as a DOS date-time; -1 when absent or a folder.
std::int32_t FileAge(std::string_view name);

std::string ExtractFilePath(std::string_view name);  // with the trailing delimiter
std::string ExtractFileDir(std::string_view name);   // without it
std::string ExtractFileName(std::string_view name);
std::string ExtractFileExt(std::string_view name);   // with the dot, "" when none
std::string ChangeFileExt(std::string_view name, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view dir);
std::string ExcludeTrailingPathDelimiter(std::string_view dir);
// The absolute path with "." and ".." resolved by text (symbolic links are not followed).
std::string ExpandFileName(std::string_view name);
std::string GetCurrentDir();
std::string GetTempDir();  // $TMPDIR or /tmp, with the trailing delimiter

// The folder of the running program (not of a loaded library), with the delimiter.
std::string HostExeFolder();
// The full name of the running program.
std::string HostExeName();

// Milliseconds since an arbitrary start, wrapping at 2^32 as the platform's tick count does.
std::uint32_t GetTickCount() noexcept;

}  // namespace rtl
