// The per-user settings file on POSIX systems and the registry keys opened in it.
//
// The store is $XDG_CONFIG_HOME/Halvardyn/Ombrelith.reg (~/.config when XDG_CONFIG_HOME is
// unset or not absolute; ~ is $HOME, else the password database's home), a REGEDIT4 file
// (RegistryFile) whose keys sit under HKEY_CURRENT_USER.
//
// A key opens only when the store's folder is writable for this user (full access or none, as
// with a registry key); a missing folder is created by the first change.
//
// Reading takes no lock: the file is only ever replaced whole, by rename, so a reader sees the
// old file or the new one. A file that is missing, unreadable or does not parse reads as empty.
//
// Each change of one value, under an exclusive flock of Ombrelith.reg.lock beside the file:
// read the file again, change that value, write Ombrelith.reg.tmp in the same folder, fsync
// it, rename it over the file, fsync the folder. A crash, a full disk or a second instance
// therefore never loses or garbles what was stored, and two instances changing different
// values both keep their change.
//
// A file that does not parse is not overwritten: the change that replaces it first renames it
// to Ombrelith.reg.bad, or, when that exists, to the first free Ombrelith.reg.bad.1,
// Ombrelith.reg.bad.2, ... so that every damaged file is kept.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/posix/RegistryFile.h"

namespace platform {

class RegistryFileStore {
 public:
  explicit RegistryFileStore(std::string path) : path_(std::move(path)) {}

  // The current user's store; an empty path when no home folder can be found.
  static std::string DefaultPath();

  const std::string& path() const { return path_; }

  // The file as it is now; nullopt when it is missing, unreadable or does not parse.
  std::optional<RegistryFile> Load() const;

  // Applies `edit` to the file as it is under the lock and stores the result. `edit` returns
  // false when it cannot make its change; nothing is written then. Throws std::system_error
  // (or std::runtime_error) saying what failed; the file is left as it was.
  void Update(const std::function<bool(RegistryFile&)>& edit);

 private:
  std::string path_;
};

}  // namespace platform
