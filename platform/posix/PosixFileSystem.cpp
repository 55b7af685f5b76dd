// The POSIX file system: opendir/readdir listings and fstatat queries relative to the open
// listing. Links are never followed (AT_SYMLINK_NOFOLLOW): a link is a file of its own size.
// Where readdir's d_type says "directory" no query is made, since a folder's own size is never
// used. The kernel's pseudo file systems are listed as empty folders.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/FileSystem.h"

#ifdef __linux__
#include <sys/vfs.h>
#endif

namespace platform {

namespace {

#ifdef __linux__
// f_type values of the kernel's pseudo file systems: proc, sysfs, debugfs, tracefs, cgroup,
// cgroup2, securityfs, pstore, bpf, configfs, devpts, mqueue, fusectl, hugetlbfs.
bool IsPseudoFileSystem(int fd) {
  struct statfs fs;
  if (fstatfs(fd, &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type) & 0xffffffffUL) {
    case 0x9fa0UL:      // proc
    case 0x62656572UL:  // sysfs
    case 0x64626720UL:  // debugfs
    case 0x74726163UL:  // tracefs
    case 0x27e0ebUL:    // cgroup
    case 0x63677270UL:  // cgroup2
    case 0x73636673UL:  // securityfs
    case 0x6165676cUL:  // pstore
    case 0xcafe4a11UL:  // bpf
    case 0x62656570UL:  // configfs
    case 0x1cd1UL:      // devpts
    case 0x19800202UL:  // mqueue
    case 0x65735543UL:  // fusectl
    case 0x958458f6UL:  // hugetlbfs
      return true;
    default:
      return false;
  }
}
#endif

class PosixListing : public DirListing {
 public:
  explicit PosixListing(DIR* dir) : dir_(dir) {}
  ~PosixListing() override {
    if (dir_) closedir(dir_);
  }
  PosixListing(const PosixListing&) = delete;
  PosixListing& operator=(const PosixListing&) = delete;

  const char* Next() override {
    if (!dir_) return nullptr;
    errno = 0;
    last_ = readdir(dir_);
    if (!last_) {
      if (errno != 0) throw std::system_error(errno, std::generic_category(), "readdir");
      return nullptr;
    }
    return last_->d_name;
  }

  bool Query(const std::string&, EntryInfo& info) override {
    if (!last_) return false;
    if (last_->d_type == DT_DIR) {
      info.isDirectory = true;
      info.size = 0;
      return true;
    }
    struct stat st;
    if (fstatat(dirfd(dir_), last_->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    info.isDirectory = S_ISDIR(st.st_mode);
    info.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    return true;
  }

  bool QueryKind(const std::string& path, EntryInfo& info) override {
    if (!last_ || last_->d_type == DT_UNKNOWN) return Query(path, info);
    info.isDirectory = last_->d_type == DT_DIR;
    info.size = 0;
    return true;
  }

 private:
  DIR* dir_;
  struct dirent* last_ = nullptr;
};

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<DirListing> OpenDir(const std::string& path) override {
    DIR* dir = opendir(path.c_str());
    if (!dir) return nullptr;
#ifdef __linux__
    if (IsPseudoFileSystem(dirfd(dir))) {
      closedir(dir);
      return std::make_unique<PosixListing>(nullptr);
    }
#endif
    return std::make_unique<PosixListing>(dir);
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace platform
