// The POSIX file system: folder listings read with getdents64 (readdir elsewhere) and entry
// queries with fstatat relative to the open listing. Links are never followed
// (AT_SYMLINK_NOFOLLOW): a link is a file of its own size. Where the listing's d_type says
// "directory" no query is made, since a folder's own size is never used. The kernel's pseudo
// file systems are listed as empty folders.
//
// The passes open a sub-folder while its parent's listing is open, with the parent's path +
// the entry's name + "/". That case is opened relative to the parent (openat), so the kernel
// does not walk the whole path again for every folder. A path the system would refuse as too
// long is refused here too, so both ways of opening list the same folders.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstddef>
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
#else
bool IsPseudoFileSystem(int) {
  return false;
}
#endif

#ifdef __linux__
using Entry = struct dirent64;
#else
using Entry = struct dirent;
#endif

class PosixListing : public DirListing {
 public:
  // Takes `fd` (-1 for an empty listing) and links itself in as the innermost open listing.
  PosixListing(int fd, const std::string& path, PosixListing*& innermost)
      : fd_(fd), path_(fd >= 0 ? path : std::string()), innermost_(innermost) {
    outer_ = innermost_;
    if (outer_) outer_->inner_ = this;
    innermost_ = this;
#ifndef __linux__
    if (fd_ >= 0) {
      dir_ = fdopendir(fd_);
      if (!dir_) {
        close(fd_);
        fd_ = -1;
      }
    }
#endif
  }
  ~PosixListing() override {
    if (inner_) inner_->outer_ = outer_;
    if (outer_) outer_->inner_ = inner_;
    if (innermost_ == this) innermost_ = outer_;
#ifdef __linux__
    if (fd_ >= 0) close(fd_);
#else
    if (dir_) closedir(dir_);
#endif
  }
  PosixListing(const PosixListing&) = delete;
  PosixListing& operator=(const PosixListing&) = delete;

  const char* Next() override {
    last_ = nullptr;
    if (fd_ < 0) return nullptr;
#ifdef __linux__
    if (pos_ >= end_) {
      if (done_) return nullptr;
      if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::max_align_t[]>(kBufferWords);
      const ssize_t n = getdents64(fd_, buffer_.get(), kBufferWords * sizeof(std::max_align_t));
      if (n < 0) throw std::system_error(errno, std::generic_category(), "getdents64 " + path_);
      if (n == 0) {
        done_ = true;
        return nullptr;
      }
      pos_ = 0;
      end_ = static_cast<std::size_t>(n);
    }
    last_ = reinterpret_cast<Entry*>(reinterpret_cast<char*>(buffer_.get()) + pos_);
    pos_ += last_->d_reclen;
#else
    errno = 0;
    last_ = readdir(dir_);
    if (!last_) {
      if (errno != 0) throw std::system_error(errno, std::generic_category(), "readdir " + path_);
      return nullptr;
    }
#endif
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
    if (fstatat(fd_, last_->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
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

  // When `path` is this listing's path + the name of the entry Next() returned last + "/",
  // that name; otherwise nullptr.
  const char* ChildName(const std::string& path) const {
    if (!last_ || path_.empty() || path.size() <= path_.size() + 1 || path.back() != '/')
      return nullptr;
    const std::size_t nameLength = path.size() - path_.size() - 1;
    if (path.compare(0, path_.size(), path_) != 0) return nullptr;
    if (std::strlen(last_->d_name) != nameLength ||
        path.compare(path_.size(), nameLength, last_->d_name) != 0)
      return nullptr;
    return last_->d_name;
  }
  int Fd() const {
    return fd_;
  }

 private:
  static constexpr std::size_t kBufferWords = 32768 / sizeof(std::max_align_t);

  int fd_;
  std::string path_;
  PosixListing*& innermost_;
  PosixListing* outer_ = nullptr;
  PosixListing* inner_ = nullptr;
  Entry* last_ = nullptr;
#ifdef __linux__
  std::unique_ptr<std::max_align_t[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool done_ = false;
#else
  DIR* dir_ = nullptr;
#endif
};

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<DirListing> OpenDir(const std::string& path) override {
    // Refused by the system as too long when opened by path: refused here either way.
    if (path.size() >= PATH_MAX) return nullptr;
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;
    const char* child = innermost_ ? innermost_->ChildName(path) : nullptr;
    const int fd = child ? openat(innermost_->Fd(), child, kFlags) : open(path.c_str(), kFlags);
    if (fd < 0) return nullptr;
    if (IsPseudoFileSystem(fd)) {
      close(fd);
      return std::make_unique<PosixListing>(-1, path, innermost_);
    }
    return std::make_unique<PosixListing>(fd, path, innermost_);
  }

 private:
  PosixListing* innermost_ = nullptr;
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace platform
