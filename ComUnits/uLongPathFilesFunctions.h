// File operations on paths of any length. Each reports failure through its result;
// only LPForceDirectories('') raises.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Moves, replacing an existing target file, copying across file systems when it must.
bool LPMoveFile(std::string_view from, std::string_view to);
bool LPCopyFile(std::string_view from, std::string_view to, bool failIfExists);
// Deletes the trimmed name.
bool LPDeleteFile(std::string_view name);
bool LPCreateDir(std::string_view dir);
// Creates the folder and its missing parents. An empty name raises EInOutError; a
// trailing delimiter is dropped; the root and an existing folder give true.
bool LPForceDirectories(std::string_view dir);
bool LPDirectoryExists(std::string_view dir);
// Last-write time of a file (not a folder) in local time as a DOS date-time; -1 when
// absent or dated outside the DOS range (1980..2107).
std::int32_t LPFileAge(std::string_view name);
bool LPFileExists(std::string_view name);
// Two comma texts of equal length: each source is copied over its target, whose folder
// is made first. False when the lists differ in length or any copy fails.
bool LPCopyFiles(std::string_view fromList, std::string_view toList);
// The name itself when free, else name + 0 + extension, name + 1 + extension, …
std::string LPUniqueFileName(std::string_view name);
