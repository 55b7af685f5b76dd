// POSIX drives: the mount points of /proc/self/mounts, "/" first, leaving out the kernel's
// pseudo file systems (the same ones the scan doesn't enter, plus a few more kernel
// interfaces) and overlay mounts other than the root (container layers).
#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Drives.h"

namespace platform {

namespace {

constexpr std::array<std::string_view, 22> kPseudoTypes = {
    "proc",        "sysfs",      "debugfs",
    "tracefs",     "cgroup",     "cgroup2",
    "securityfs",  "pstore",     "bpf",
    "configfs",    "devpts",     "mqueue",
    "fusectl",     "hugetlbfs",  "autofs",
    "binfmt_misc", "nsfs",       "efivarfs",
    "selinuxfs",   "rpc_pipefs", "fuse.gvfsd-fuse",
    "fuse.portal"};

bool IsPseudo(std::string_view type) {
  return std::find(kPseudoTypes.begin(), kPseudoTypes.end(), type) != kPseudoTypes.end();
}

// Mount points escape blanks, tabs, newlines and backslashes as three octal digits.
std::string DecodeOctal(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        out +=
            static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

}  // namespace

std::vector<std::string> DrivesFromMountTable(std::string_view table) {
  std::vector<std::string> drives{"/"};   // the root is always there, whatever the table says
  std::vector<std::string> pseudoPoints;  // what is mounted below these is left out too
  std::istringstream lines{std::string(table)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    std::string point = DecodeOctal(mountPoint);
    if (point.empty() || point[0] != '/') continue;
    if (point.back() != '/') point += '/';
    if (point == "/") continue;
    const bool below =
        std::any_of(pseudoPoints.begin(), pseudoPoints.end(),
                    [&](const std::string& p) { return point.compare(0, p.size(), p) == 0; });
    if (below) continue;
    if (IsPseudo(type)) {
      pseudoPoints.push_back(point);
      continue;
    }
    if (type == "overlay") continue;
    if (std::find(drives.begin(), drives.end(), point) == drives.end()) drives.push_back(point);
  }
  return drives;
}

std::vector<std::string> ListDrives() {
  std::ifstream in("/proc/self/mounts");
  std::stringstream text;
  text << in.rdbuf();
  return DrivesFromMountTable(text.str());
}

std::string DriveCurrentFolder(const std::string& drive) {
  return drive;
}

}  // namespace platform
