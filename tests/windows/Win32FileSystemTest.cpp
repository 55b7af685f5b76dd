// The Windows file-system seam on a real (Wine or Windows) drive: listing, the entry query's
// directory bit and 64-bit size, reparse points reported as files of their own size, the
// drive root, and names outside ASCII under the UTF-8 code page.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace {

using platform::EntryInfo;
using platform::SystemFileSystem;

std::set<std::string> ListNames(const std::string& folder) {
  auto listing = SystemFileSystem().OpenDir(folder);
  EXPECT_NE(listing, nullptr) << folder;
  std::set<std::string> names;
  if (!listing) return names;
  while (const char* name = listing->Next()) names.insert(name);
  return names;
}

bool QueryEntry(const std::string& folder, const std::string& name, EntryInfo& info) {
  auto listing = SystemFileSystem().OpenDir(folder);
  if (!listing) return false;
  return listing->Query(folder + name, info);
}

// A fresh folder under the user's temporary folder, removed with everything in it.
class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, tmp), 0u);
    path_ = std::string(tmp) + "ombrelith-fs-" + std::to_string(GetCurrentProcessId()) + "\\";
    std::filesystem::remove_all(path_);
    ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  void MakeFile(const std::string& name, const std::string& content) {
    HANDLE f = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(f);
  }

  // A sparse file of `size` bytes: no disk space, only its length.
  void MakeSparseFile(const std::string& name, LONGLONG size) {
    HANDLE f = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << name;
    DWORD unused = 0;
    DeviceIoControl(f, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    EXPECT_TRUE(SetFilePointerEx(f, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(f));
    CloseHandle(f);
  }

  std::string path_;
};

TEST_F(TempFolder, ListsEveryEntryWithDotEntries) {
  MakeFile("plain.txt", "x");
  MakeFile(".hidden", "");
  ASSERT_TRUE(CreateDirectoryA((path_ + "sub folder").c_str(), nullptr));
  SetFileAttributesA((path_ + ".hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(ListNames(path_),
            (std::set<std::string>{".", "..", ".hidden", "plain.txt", "sub folder"}));
}

TEST_F(TempFolder, QueryGivesDirectoryBitAndSixtyFourBitSize) {
  MakeFile("empty", "");
  MakeFile("five", "12345");
  ASSERT_TRUE(CreateDirectoryA((path_ + "folder").c_str(), nullptr));
  MakeSparseFile("exactly4g", 1LL << 32);
  MakeSparseFile("big", (5LL << 30) + 3);

  struct Case {
    const char* name;
    bool isDirectory;
    std::uint64_t size;
  };
  const Case cases[] = {
      {"empty", false, 0},
      {"five", false, 5},
      {"folder", true, 0},
      {"exactly4g", false, 1ULL << 32},
      {"big", false, (5ULL << 30) + 3},
  };
  for (const Case& c : cases) {
    EntryInfo info;
    info.size = 999;
    ASSERT_TRUE(QueryEntry(path_, c.name, info)) << c.name;
    EXPECT_EQ(info.isDirectory, c.isDirectory) << c.name;
    if (!c.isDirectory) {
      EXPECT_EQ(info.size, c.size) << c.name;
    }
  }
}

TEST_F(TempFolder, MissingEntriesAndFoldersFail) {
  MakeFile("file", "abc");
  EntryInfo info;
  EXPECT_FALSE(QueryEntry(path_, "vanished", info));
  EXPECT_EQ(SystemFileSystem().OpenDir(path_ + "no such folder\\"), nullptr);
  EXPECT_EQ(SystemFileSystem().OpenDir(path_ + "file\\"), nullptr);
}

TEST_F(TempFolder, NamesOutsideAsciiSurviveTheUtf8CodePage) {
  ASSERT_EQ(GetACP(), 65001u) << "the manifest asks for the UTF-8 code page";
  const wchar_t* wide = L"\u30c7\u30fc\u30bf \u00e9\u00e8.bin";  // "データ éè.bin"
  const std::string utf8 = "\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF \xC3\xA9\xC3\xA8.bin";
  std::wstring folder(path_.begin(), path_.end());
  HANDLE f = CreateFileW((folder + wide).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, "1234567", 7, &written, nullptr);
  CloseHandle(f);

  EXPECT_EQ(ListNames(path_).count(utf8), 1u);
  EntryInfo info;
  ASSERT_TRUE(QueryEntry(path_, utf8, info));
  EXPECT_EQ(info.size, 7u);
}

TEST(DriveRoot, ListsAndQueriesBelowCRoot) {
  std::set<std::string> names;
  for (const std::string& n : ListNames("C:\\")) {
    std::string lower = n;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    names.insert(lower);
  }
  EXPECT_EQ(names.count("windows"), 1u);
  EntryInfo info;
  ASSERT_TRUE(QueryEntry("C:\\", "windows", info));
  EXPECT_TRUE(info.isDirectory);
}

// A folder link must come back as a file entry, so a scan never walks through it.
TEST(ReparsePoint, FolderLinkIsAFileOfItsOwnSize) {
  std::string folder;
  if (const char* links = std::getenv("OMBRELITH_TEST_LINKS")) {
    folder = links;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    folder += "\\";
  } else {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    folder = std::string(tmp) + "ombrelith-link-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "target").c_str(), nullptr);
    CreateSymbolicLinkA(
        (folder + "dirlink").c_str(), (folder + "target").c_str(),
        SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
  }
  const DWORD attrs = GetFileAttributesA((folder + "dirlink").c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_REPARSE_POINT))
    GTEST_SKIP() << "no folder link could be made in " << folder;

  EntryInfo target;
  ASSERT_TRUE(QueryEntry(folder, "target", target));
  EXPECT_TRUE(target.isDirectory);
  EntryInfo link;
  link.isDirectory = true;
  ASSERT_TRUE(QueryEntry(folder, "dirlink", link));
  EXPECT_FALSE(link.isDirectory);
}

}  // namespace
