// Stand-in for the platform's path rules until platform/Paths.h is in the tree; the chart
// only needs the separator and the drive-root test for the up mark.
#pragma once

#include <string>

namespace view {

#ifdef _WIN32
constexpr char kSeparator = '\\';
// The folder path's character before the trailing separator is the drive's colon.
inline bool IsDriveRoot(const std::string& path) {
  return path.size() >= 2 && path[path.size() - 2] == ':';
}
#else
constexpr char kSeparator = '/';
inline bool IsDriveRoot(const std::string& path) {
  return path == "/";
}
#endif

}  // namespace view
