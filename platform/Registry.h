// Typed access to the per-user settings key. On Windows it is the registry under
// HKEY_CURRENT_USER; on POSIX a REGEDIT4 text file per user (see RegistryFile.h in posix/)
// that holds the same key path, value names and types. Both give the same errors: a value
// of the wrong type, or a write that fails, raises ERegistryException naming the value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Object.h"

namespace platform {

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// The open key of one TRegistry; implemented per system.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual bool ValueExists(const std::string& name) = 0;
  virtual std::int32_t ReadInteger(const std::string& name) = 0;  // REG_DWORD only
  virtual std::string ReadString(const std::string& name) = 0;    // REG_SZ or REG_EXPAND_SZ
  virtual void WriteInteger(const std::string& name, std::int32_t value) = 0;
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
};

// Root HKEY_CURRENT_USER, full access. No flush on closing.
class TRegistry {
 public:
  TRegistry();
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // `key` is relative to the root, parts joined with a backslash. With canCreate false,
  // true only if the key exists and opens for full access.
  bool OpenKey(const std::string& key, bool canCreate);
  bool ValueExists(const std::string& name);
  std::int32_t ReadInteger(const std::string& name);
  std::string ReadString(const std::string& name);
  void WriteInteger(const std::string& name, std::int32_t value);
  void WriteString(const std::string& name, const std::string& value);
  void CloseKey();

 private:
  std::unique_ptr<RegistryKey> key_;
};

// The errors every store raises, so that both systems give the same texts:
//   "Invalid data type for 'Left'"    the value exists but is not of the type asked for
//   "Failed to get data for 'Left'"   the value is missing or cannot be read
//   "Failed to set data for 'Left'"   the value could not be written; `detail` says why
[[noreturn]] void RaiseInvalidType(const std::string& name);
[[noreturn]] void RaiseReadFailed(const std::string& name, const std::string& detail = {});
[[noreturn]] void RaiseWriteFailed(const std::string& name, const std::string& detail = {});

// Opens `key` under the current user's root; nullptr when it can't be opened (or is missing
// and canCreate is false). One implementation per system.
std::unique_ptr<RegistryKey> OpenUserKey(const std::string& key, bool canCreate);

}  // namespace platform
