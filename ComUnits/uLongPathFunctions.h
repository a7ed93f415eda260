// Path forms for the long-path file functions. Paths here are POSIX paths in UTF-8 and
// have no length prefix or drive form to add: a full path is the absolute path.
#pragma once

#include <string>
#include <string_view>

// The absolute path with "." and ".." resolved; empty when the name is empty or the
// current folder cannot be read.
std::string LPExpandFileName(std::string_view name);
// The path in its network form; on this platform that is the absolute path.
std::string LPExpandUNCFileName(std::string_view name);
