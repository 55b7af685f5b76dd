// The passes over real folders made at run time: listing order, exact sizes, links, pseudo
// file systems, names that are not text, and a tree deeper than the longest path.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "ScanTestSupport.h"

namespace {

// Removes the tree below the open folder `fd` through file descriptors, so that paths of any
// length can be removed.
void RemoveContents(int fd) {
  DIR* dir = fdopendir(dup(fd));
  if (!dir) return;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st;
    if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      int sub = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
      if (sub >= 0) {
        RemoveContents(sub);
        close(sub);
      }
      unlinkat(fd, name.c_str(), AT_REMOVEDIR);
    } else {
      unlinkat(fd, name.c_str(), 0);
    }
  }
  closedir(dir);
}

class PosixScanTest : public ScanTest {
 protected:
  void SetUp() override {
    ScanTest::SetUp();
    char templ[] = "/tmp/ombrelith-tree-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    root = std::string(templ) + "/";
  }
  void TearDown() override {
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
      RemoveContents(fd);
      close(fd);
    }
    rmdir(root.c_str());
    ScanTest::TearDown();
  }

  void Write(const std::string& rel, std::size_t size) {
    int fd = open((root + rel).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + rel);
    if (size && ftruncate(fd, static_cast<off_t>(size)) != 0) throw std::runtime_error("truncate");
    close(fd);
  }
  void MakeDir(const std::string& rel) {
    if (mkdir((root + rel).c_str(), 0755) != 0) throw std::runtime_error("cannot mkdir " + rel);
  }
  // The names of folder `rel` as readdir lists them, . and .. left out.
  std::vector<std::string> Listed(const std::string& rel) {
    std::vector<std::string> names;
    DIR* dir = opendir((root + rel).c_str());
    while (dirent* e = dir ? readdir(dir) : nullptr) {
      std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    if (dir) closedir(dir);
    return names;
  }
  std::unique_ptr<DirEnt> CountedThenScanned(const std::string& path) {
    std::make_unique<DirEnt>(path)->CountEntries(0);
    auto tree = std::make_unique<DirEnt>(path);
    tree->Scan(0);
    return tree;
  }

  std::string root;
};

TEST_F(PosixScanTest, ARealTreeKeepsListingOrderPathsAndExactSizes) {
  MakeDir("sub");
  Write("sub/empty", 0);
  Write("sub/big", 5000000);
  Write("sub/sparse", (std::size_t{1} << 32) + 5);  // past 32 bits; sparse, so it costs no disk
  for (int i = 0; i < 50; ++i) Write("f" + std::to_string(i), static_cast<std::size_t>(i) * 3);
  auto tree = CountedThenScanned(root);
  const std::vector<std::string> names = Listed("");
  ASSERT_EQ(tree->GetCount(), static_cast<std::int32_t>(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    ObjEnt* entry = tree->GetEntry(static_cast<std::int32_t>(i));
    EXPECT_EQ(entry->GetName(), root + names[i] + (names[i] == "sub" ? "/" : ""));
    EXPECT_EQ(entry->IsFile(), names[i] == "sub" ? 0 : 1);
  }
  EXPECT_EQ(tree->GetSize(), 4294967301.0 + 5000000.0 + 3.0 * (49 * 50 / 2));
  EXPECT_EQ(EntriesCounted, 54);
  EXPECT_EQ(EntriesScanned, 54);
}

TEST_F(PosixScanTest, LinksAreFilesOfTheirOwnSizeAndNeverFollowed) {
  MakeDir("d");
  Write("d/payload", 1000000);
  ASSERT_EQ(symlink("..", (root + "d/up").c_str()), 0);  // a loop back to the root
  ASSERT_EQ(symlink((root + "d").c_str(), (root + "todir").c_str()), 0);
  ASSERT_EQ(symlink("d/payload", (root + "tofile").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (root + "dangling").c_str()), 0);
  auto tree = CountedThenScanned(root);
  EXPECT_EQ(EntriesCounted, 6);
  double links = 0;
  for (std::int32_t i = 0; i < tree->GetCount(); ++i) {
    ObjEnt* entry = tree->GetEntry(i);
    std::string name = entry->GetName();
    if (name == root + "d/") continue;
    EXPECT_EQ(entry->IsFile(), 1) << name;
    links += entry->GetSize();
  }
  const double expected =
      static_cast<double>(root.size() + 1 + strlen("d/payload") + strlen("nowhere"));
  EXPECT_EQ(links, expected);
  EXPECT_EQ(tree->GetSize(), 1000000.0 + 2 + expected) << "the payload is counted once";
}

TEST_F(PosixScanTest, PseudoFileSystemsAreListedAsEmpty) {
  for (const char* path : {"/proc/", "/sys/"}) {
    struct stat st;
    if (stat(path, &st) != 0) continue;
    SCOPED_TRACE(path);
    EntriesCounted = 0;
    auto tree = CountedThenScanned(path);
    EXPECT_EQ(tree->GetCount(), 0);
    EXPECT_EQ(tree->GetSize(), 0.0);
    EXPECT_EQ(tree->IsAborted(), 0);
    EXPECT_EQ(EntriesCounted, 0);
  }
  // As a sub-folder: the mount point is an empty folder.
  DirEnt top("/");
  top.AddDir("/proc/")->Scan(1);
  EXPECT_EQ(static_cast<DirEnt*>(top.GetEntry(0))->GetCount(), 0);
}

TEST_F(PosixScanTest, NamesAreKeptByteForByte) {
  const std::vector<std::string> odd{
      "\xff\xfe not text",       "new\nline", "back\\slash", " lead", "trail ", "*?<>|",
      "\xe6\x97\xa5\xe6\x9c\xac"};
  for (const std::string& name : odd) Write(name, name.size());
  MakeDir("dir\nwith\\odd\x80");
  Write("dir\nwith\\odd\x80/x", 1);
  auto tree = CountedThenScanned(root);
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < tree->GetCount(); ++i) names.push_back(tree->GetEntry(i)->GetName());
  for (const std::string& name : odd)
    EXPECT_NE(std::find(names.begin(), names.end(), root + name), names.end()) << name;
  const std::string dir = root + "dir\nwith\\odd\x80/";
  auto it = std::find(names.begin(), names.end(), dir);
  ASSERT_NE(it, names.end());
  auto* sub = static_cast<DirEnt*>(tree->GetEntry(static_cast<std::int32_t>(it - names.begin())));
  ASSERT_EQ(sub->GetCount(), 1);
  EXPECT_EQ(sub->GetEntry(0)->GetName(), dir + "x");
  EXPECT_EQ(tree->GetCount(), static_cast<std::int32_t>(odd.size() + 1));
}

TEST_F(PosixScanTest, ATreeDeeperThanTheLongestPathIsAbsorbed) {
  // 300 levels of 40-character names: about 12,000 bytes of path, three times PATH_MAX.
  const std::string part(40, 'n');
  int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  Write("top-file", 7);
  for (int level = 0; level < 300; ++level) {
    ASSERT_EQ(mkdirat(fd, part.c_str(), 0755), 0);
    int fileFd = openat(fd, "f", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fileFd, 0);
    ASSERT_EQ(write(fileFd, "x", 1), 1);
    close(fileFd);
    int sub = openat(fd, part.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    ASSERT_GE(sub, 0);
    fd = sub;
  }
  close(fd);
  auto tree = CountedThenScanned(root);
  EXPECT_EQ(tree->IsAborted(), 0);
  int depth = 0;
  DirEnt* dir = tree.get();
  while (dir->GetCount() > 0) {
    DirEnt* next = nullptr;
    for (std::int32_t i = 0; i < dir->GetCount(); ++i)
      if (!dir->GetEntry(i)->IsFile()) next = static_cast<DirEnt*>(dir->GetEntry(i));
    if (!next) break;
    dir = next;
    ++depth;
  }
  // The deepest folder listed is the last whose path fits; the one below it stays empty.
  EXPECT_GT(depth, 50);
  EXPECT_LT(depth, 300);
  EXPECT_EQ(dir->GetCount(), 0);
  EXPECT_GE(dir->GetName().size(), static_cast<std::size_t>(PATH_MAX));
  EXPECT_LT(dir->GetParent()->GetName().size(), static_cast<std::size_t>(PATH_MAX));
  EXPECT_EQ(tree->GetSize(), 7.0 + (depth - 1) + 1) << "one byte per listed level";
}

}  // namespace
