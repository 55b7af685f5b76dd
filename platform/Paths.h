// Path conventions in one place: the separator, what a drive root is, and how an entry's path
// is joined to its folder's. A folder path held by the program always ends in the separator.
#pragma once

#include <string>
#include <string_view>

namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// True for a folder path that names a drive root: "/" on POSIX, "X:\" on Windows (the
// character before the trailing separator is a colon).
bool IsDriveRoot(std::string_view folderPath);

// `path` with one separator appended unless it already ends in one.
std::string AppendSeparator(std::string path);

// The path of entry `name` in the folder `folderPath` (which ends in the separator): the two
// joined as they are, no separator added.
std::string JoinPath(std::string_view folderPath, std::string_view name);

}  // namespace platform
