// The drive selector's drives on Windows: every logical drive as "X:\" in letter order, and
// the folder a drive opens at (the process's current folder on it, else its root).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform/Drives.h"

namespace {

TEST(Drives, AreTheLogicalDrivesAsRootsInLetterOrder) {
  const std::vector<std::string> drives = platform::ListDrives();
  const DWORD mask = GetLogicalDrives();
  ASSERT_EQ(drives.size(), static_cast<std::size_t>(__builtin_popcount(mask)));
  EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
  for (const std::string& d : drives) {
    ASSERT_EQ(d.size(), 3u) << d;
    EXPECT_EQ(d.substr(1), ":\\") << d;
    EXPECT_TRUE(mask & (1u << (d[0] - 'A'))) << d;
  }
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
}

TEST(Drives, OpenAtTheCurrentFolderOnThatDriveElseTheRoot) {
  char old[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, old);
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows\\system32"));
  EXPECT_EQ(platform::DriveCurrentFolder("C:\\"), "C:\\windows\\system32");
  SetCurrentDirectoryA(old);

  // A drive this process never visited opens at its root; a letter with no drive stays as is.
  const DWORD mask = GetLogicalDrives();
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (!(mask & (1u << (letter - 'A')))) {
      EXPECT_EQ(platform::DriveCurrentFolder(root), root);
      break;
    }
  }
}

}  // namespace
