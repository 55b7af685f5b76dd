// The drives the drive selector offers. Each drive is named by its root folder, ending in the
// separator: on POSIX the mount points of the mounted file systems ("/" first, the kernel's
// pseudo file systems left out), on Windows the logical drives ("C:\", "D:\", ...).
// posix/Drives.cpp reads /proc/self/mounts; win32/ asks the system for its logical drives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The drives now mounted, in the order the selector shows them.
std::vector<std::string> ListDrives();

// The folder a drive opens at when the user chooses it: on POSIX its mount point (the drive
// itself); on Windows the process's current folder on that drive, or its root.
std::string DriveCurrentFolder(const std::string& drive);

// The user's home folder (HOME, else USERPROFILE), empty when neither is set.
std::string HomeFolder();

// POSIX: the drives listed in a mount table in the format of /proc/self/mounts (octal escapes
// such as "\040" decoded). "/" comes first, then the other mount points in table order, each
// once; pseudo file systems and overlay mounts other than "/" are left out.
std::vector<std::string> DrivesFromMountTable(std::string_view table);

}  // namespace platform
