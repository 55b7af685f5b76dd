// The settings file on disk (see RegistryFileStore.h) and OpenUserKey over it: a key opened
// here reads the file afresh for every operation and changes it one value at a time.
#include "platform/posix/RegistryFileStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

#include "platform/Registry.h"

namespace platform {

namespace {

constexpr const char* kRoot = "HKEY_CURRENT_USER";

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now, so that a failing close (a late write error) is seen.
  int Close() {
    int r = ::close(fd_);
    fd_ = -1;
    return r;
  }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates `folder` and any missing parents, private to the user as new folders should be.
void MakeFolders(const std::string& folder) {
  struct stat st;
  if (::stat(folder.c_str(), &st) == 0) {
    if (!S_ISDIR(st.st_mode)) {
      errno = ENOTDIR;
      ThrowErrno("cannot use " + folder);
    }
    return;
  }
  if (errno != ENOENT) ThrowErrno("cannot use " + folder);
  std::string parent = FolderOf(folder);
  if (parent != folder) MakeFolders(parent);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) ThrowErrno("cannot create " + folder);
}

enum class ReadResult { kRead, kMissing };

// Reads a whole regular file into `out`.
ReadResult ReadFile(const std::string& path, std::string& out) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    if (errno == ENOENT) return ReadResult::kMissing;
    ThrowErrno("cannot open " + path);
  }
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) ThrowErrno("cannot read " + path);
  if (!S_ISREG(st.st_mode)) {
    errno = EINVAL;
    ThrowErrno(path + " is not a regular file");
  }
  out.clear();
  char buffer[16384];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowErrno("cannot read " + path);
    if (n == 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return ReadResult::kRead;
}

void WriteAll(int fd, const std::string& bytes, const std::string& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowErrno("cannot write " + path);
    done += static_cast<std::size_t>(n);
  }
}

void SyncFolder(const std::string& folder) {
  Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) ThrowErrno("cannot open " + folder);
  // Some file systems cannot sync a folder (EINVAL); the rename is then as safe as they allow.
  if (::fsync(fd.get()) != 0 && errno != EINVAL) ThrowErrno("cannot sync " + folder);
}

// The first of path.bad, path.bad.1, path.bad.2, ... that does not exist.
std::string FreeBadName(const std::string& path) {
  for (int n = 0;; ++n) {
    std::string name = path + ".bad" + (n == 0 ? "" : "." + std::to_string(n));
    struct stat st;
    if (::lstat(name.c_str(), &st) != 0) {
      if (errno == ENOENT) return name;
      ThrowErrno("cannot use " + name);
    }
  }
}

class FileLock {
 public:
  explicit FileLock(const std::string& path)
      : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_.get() < 0) ThrowErrno("cannot open " + path);
    while (::flock(fd_.get(), LOCK_EX) != 0)
      if (errno != EINTR) ThrowErrno("cannot lock " + path);
  }  // The lock goes with the descriptor.

 private:
  Fd fd_;
};

// A key path as the program gives it ("Software\Halvardyn"), as a full path of the file.
std::string FullKey(const std::string& key) {
  std::size_t first = key.find_first_not_of('\\');
  std::size_t last = key.find_last_not_of('\\');
  if (first == std::string::npos) return kRoot;
  return std::string(kRoot) + "\\" + key.substr(first, last - first + 1);
}

std::string Reason(const std::exception& e) {
  return e.what();
}

class FileRegistryKey : public RegistryKey {
 public:
  FileRegistryKey(RegistryFileStore store, std::string key)
      : store_(std::move(store)), key_(std::move(key)) {}

  bool ValueExists(const std::string& name) override { return Value(name).has_value(); }

  std::int32_t ReadInteger(const std::string& name) override {
    auto value = Value(name);
    if (!value) RaiseReadFailed(name);
    if (value->type != kRegDword || value->data.size() != 4) RaiseInvalidType(name);
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(value->data[i]);
    return static_cast<std::int32_t>(u);
  }

  std::string ReadString(const std::string& name) override {
    auto value = Value(name);
    if (!value) RaiseReadFailed(name);
    if (value->type != kRegSz && value->type != kRegExpandSz) RaiseInvalidType(name);
    return value->data.substr(0, value->data.find('\0'));
  }

  void WriteInteger(const std::string& name, std::int32_t value) override {
    Write(name, RegistryValue::Dword(value));
  }

  void WriteString(const std::string& name, const std::string& value) override {
    Write(name, RegistryValue::String(value));
  }

 private:
  std::optional<RegistryValue> Value(const std::string& name) const {
    auto file = store_.Load();
    if (!file) return std::nullopt;
    const RegistryValue* value = file->Find(key_, name);
    if (!value) return std::nullopt;
    return *value;
  }

  void Write(const std::string& name, const RegistryValue& value) {
    try {
      store_.Update([&](RegistryFile& file) { return file.Set(key_, name, value); });
    } catch (const std::runtime_error& e) {
      RaiseWriteFailed(name, Reason(e));
    }
  }

  RegistryFileStore store_;
  std::string key_;
};

}  // namespace

std::string RegistryFileStore::DefaultPath() {
  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    std::string homeFolder = home && home[0] ? home : "";
    if (homeFolder.empty()) {
      if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) homeFolder = pw->pw_dir;
    }
    if (homeFolder.empty()) return {};
    config = homeFolder + "/.config";
  }
  return config + "/Halvardyn/Ombrelith.reg";
}

std::optional<RegistryFile> RegistryFileStore::Load() const {
  std::string bytes;
  try {
    if (ReadFile(path_, bytes) == ReadResult::kMissing) return std::nullopt;
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  return RegistryFile::Parse(bytes);
}

void RegistryFileStore::Update(const std::function<bool(RegistryFile&)>& edit) {
  if (path_.empty()) throw std::runtime_error("no home folder for the settings file");
  const std::string folder = FolderOf(path_);
  MakeFolders(folder);
  FileLock lock(path_ + ".lock");

  std::string bytes;
  const bool exists = ReadFile(path_, bytes) == ReadResult::kRead;
  std::optional<RegistryFile> file;
  if (exists) file = RegistryFile::Parse(bytes);
  const bool damaged = exists && !file;
  if (!file) file.emplace();
  if (!edit(*file)) throw std::runtime_error("the name cannot be stored in the settings file");

  const std::string temp = path_ + ".tmp";
  {
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (fd.get() < 0) ThrowErrno("cannot create " + temp);
    try {
      struct stat st;
      if (exists && ::stat(path_.c_str(), &st) == 0) ::fchmod(fd.get(), st.st_mode & 07777);
      WriteAll(fd.get(), file->Serialize(), temp);
      if (::fsync(fd.get()) != 0) ThrowErrno("cannot sync " + temp);
      if (fd.Close() != 0) ThrowErrno("cannot write " + temp);
      if (damaged) {
        // A hard link keeps the damaged file under both names until the rename below, so
        // no failure in between leaves the settings without it. Without hard links, move it.
        std::string bad = FreeBadName(path_);
        if (::link(path_.c_str(), bad.c_str()) != 0 && ::rename(path_.c_str(), bad.c_str()) != 0)
          ThrowErrno("cannot keep " + bad);
      }
      if (::rename(temp.c_str(), path_.c_str()) != 0) ThrowErrno("cannot replace " + path_);
    } catch (...) {
      ::unlink(temp.c_str());
      throw;
    }
  }
  SyncFolder(folder);
}

std::unique_ptr<RegistryKey> OpenUserKey(const std::string& key, bool canCreate) {
  RegistryFileStore store(RegistryFileStore::DefaultPath());
  if (store.path().empty()) return nullptr;
  std::string full = FullKey(key);
  // Keys open for full access or not at all: a store this user cannot change opens nothing,
  // as a registry key without write access does.
  std::string folder = FolderOf(store.path());
  if (::access(folder.c_str(), F_OK) == 0 && ::access(folder.c_str(), W_OK | X_OK) != 0)
    return nullptr;
  auto file = store.Load();
  if (!file || !file->HasKey(full)) {
    if (!canCreate) return nullptr;
    try {
      store.Update([&](RegistryFile& f) { return f.AddKey(full); });
    } catch (const std::runtime_error&) {
      return nullptr;
    }
  }
  return std::make_unique<FileRegistryKey>(std::move(store), std::move(full));
}

}  // namespace platform
