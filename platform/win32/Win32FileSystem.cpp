// The Windows file-system seam: folders are listed with the runtime's opendir/readdir and
// each entry is queried on its own with FindFirstFileA, whose search handle is closed before
// the query returns. A reparse point (junction, symbolic link) is never followed: it is a
// file entry of its own size, so a scan cannot loop through it.
#include <dirent.h>

#include <cerrno>
#include <system_error>

#include "platform/FileSystem.h"
#include "platform/win32/Handles.h"

namespace platform {
namespace {

class Win32Listing final : public DirListing {
 public:
  explicit Win32Listing(DIR* dir) : dir_(dir) {}
  ~Win32Listing() override { closedir(dir_); }
  Win32Listing(const Win32Listing&) = delete;
  Win32Listing& operator=(const Win32Listing&) = delete;

  const char* Next() override {
    errno = 0;
    dirent* e = readdir(dir_);
    if (e) return e->d_name;
    if (errno != 0) throw std::system_error(errno, std::generic_category(), "readdir");
    return nullptr;
  }

  bool Query(const std::string& path, EntryInfo& info) override {
    WIN32_FIND_DATAA data;
    win32::UniqueFind find(::FindFirstFileA(path.c_str(), &data));
    if (!find) return false;
    const bool reparse = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    info.isDirectory = !reparse && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
  }

 private:
  DIR* dir_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<DirListing> OpenDir(const std::string& path) override {
    DIR* dir = opendir(path.c_str());
    if (!dir) return nullptr;
    return std::make_unique<Win32Listing>(dir);
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

}  // namespace platform
