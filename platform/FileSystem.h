// The file-system seam used by the two scan passes: list a folder, read its entries one by
// one, query one entry. The POSIX implementation lives in posix/, the Windows one in win32/;
// tests install a fake one to make folders fail in ways a real disk can't be made to here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct EntryInfo {
  bool isDirectory = false;
  std::uint64_t size = 0;  // bytes; the entry's own size (a link's own, never its target's)
};

// An open folder listing; closes itself when destroyed.
class DirListing {
 public:
  virtual ~DirListing() = default;
  // The next entry's name without path, "." and ".." included where the file system gives
  // them; nullptr at the end. Throws std::system_error when reading fails.
  virtual const char* Next() = 0;
  // Queries the entry Next() returned last. `path` is its full path (folder path + name).
  // False when the entry can't be queried (vanished, no access). A symbolic link or a
  // reparse point is reported as a file of its own size.
  virtual bool Query(const std::string& path, EntryInfo& info) = 0;
  // Like Query, but only isDirectory is needed: `size` may be left 0. A listing that already
  // knows the entry's kind answers without a query; by default this is Query.
  virtual bool QueryKind(const std::string& path, EntryInfo& info) { return Query(path, info); }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens the listing of the folder `path` (it ends in the separator); nullptr when the
  // folder can't be listed. A kernel pseudo file system is listed as an empty folder.
  virtual std::unique_ptr<DirListing> OpenDir(const std::string& path) = 0;
};

// The seam the passes use: the system's own unless a test installed another.
FileSystem& CurrentFileSystem();
// Installs `fs` (borrowed; nullptr restores the system's). For tests.
void SetFileSystem(FileSystem* fs);

// The system's own file system, for callers that must not see a test's fake.
FileSystem& SystemFileSystem();

}  // namespace platform
