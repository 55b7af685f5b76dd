// The drive selector's drives on Windows: the logical drives the system reports
// (GetLogicalDrives), each as its root "X:\", in letter order.
#include "platform/Drives.h"

#include "platform/win32/Handles.h"

namespace platform {

std::vector<std::string> ListDrives() {
  std::vector<std::string> drives;
  const DWORD mask = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i)
    if (mask & (1u << i)) drives.push_back(std::string(1, static_cast<char>('A' + i)) + ":\\");
  return drives;
}

std::string DriveCurrentFolder(const std::string& drive) {
  if (drive.size() < 2 || drive[1] != ':') return drive;
  // "C:" alone names the process's current folder on that drive (its root if it has none).
  char full[MAX_PATH];
  const DWORD n = ::GetFullPathNameA(drive.substr(0, 2).c_str(), MAX_PATH, full, nullptr);
  if (n == 0 || n >= MAX_PATH) return drive;
  const DWORD attributes = ::GetFileAttributesA(full);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return drive;
  std::string folder = full;
  // Windows gives "C:\work", Wine "C:\work\": the same folder, without the separator.
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace platform
