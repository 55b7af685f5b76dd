// Path conventions: separator, drive root, joining.
#include "platform/Paths.h"

namespace platform {

bool IsDriveRoot(std::string_view folderPath) {
#ifdef _WIN32
  return folderPath.size() == 3 && folderPath[1] == ':' &&
         (folderPath[2] == '\\' || folderPath[2] == '/');
#else
  return folderPath == "/";
#endif
}

std::string AppendSeparator(std::string path) {
  if (path.empty() || path.back() != kPathSeparator) path.push_back(kPathSeparator);
  return path;
}

std::string JoinPath(std::string_view folderPath, std::string_view name) {
  std::string path;
  path.reserve(folderPath.size() + name.size());
  path.append(folderPath);
  path.append(name);
  return path;
}

}  // namespace platform
