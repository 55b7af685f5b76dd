// The settings registry over the real Windows registry: keys under HKEY_CURRENT_USER opened
// with full access, integers as REG_DWORD, strings as REG_SZ (REG_EXPAND_SZ also read, not
// expanded). A value of the wrong type, one that can't be read, or a write that fails
// raises ERegistryException naming the value.
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/win32/Handles.h"

namespace platform {
namespace {

// The system's text for a registry status, for the detail of a failed write.
std::string StatusText(LSTATUS rc) {
  char text[256] = {};
  if (!::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                        static_cast<DWORD>(rc), 0, text, sizeof text, nullptr))
    return "error " + std::to_string(rc);
  std::string s = text;
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  return s;
}

class Win32Key final : public RegistryKey {
 public:
  explicit Win32Key(HKEY key) : key_(key) {}

  bool ValueExists(const std::string& name) override {
    DWORD type = 0;
    DWORD size = 0;
    return ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) ==
           ERROR_SUCCESS;
  }

  std::int32_t ReadInteger(const std::string& name) override {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
      RaiseReadFailed(name);
    if (type != REG_DWORD || size != sizeof value) RaiseInvalidType(name);
    return static_cast<std::int32_t>(value);
  }

  std::string ReadString(const std::string& name) override {
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS rc = ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) RaiseReadFailed(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseInvalidType(name);
    std::vector<char> data;
    do {  // the value may grow between the size query and the read
      data.resize(size + 1);
      size = static_cast<DWORD>(data.size());
      rc = ::RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    } while (rc == ERROR_MORE_DATA);
    if (rc != ERROR_SUCCESS) RaiseReadFailed(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseInvalidType(name);
    std::string text(data.data(), size);
    return text.substr(0, text.find('\0'));
  }

  void WriteInteger(const std::string& name, std::int32_t value) override {
    const DWORD data = static_cast<DWORD>(value);
    const LSTATUS rc = ::RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&data), sizeof data);
    if (rc != ERROR_SUCCESS) RaiseWriteFailed(name, StatusText(rc));
  }

  void WriteString(const std::string& name, const std::string& value) override {
    const LSTATUS rc = ::RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1));
    if (rc != ERROR_SUCCESS) RaiseWriteFailed(name, StatusText(rc));
  }

 private:
  win32::UniqueKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> OpenUserKey(const std::string& key, bool canCreate) {
  HKEY h = nullptr;
  const LSTATUS rc = canCreate
                         ? ::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &h, nullptr)
                         : ::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &h);
  if (rc != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32Key>(h);
}

}  // namespace platform
