// TRegistry: the typed settings access the program uses, over the open key of the system's own
// store (OpenUserKey). It holds at most one key; every operation goes straight to that key.
#include "platform/Registry.h"

namespace platform {

namespace {

std::string Quoted(const std::string& name) {
  return "'" + name + "'";
}

std::string WithDetail(std::string message, const std::string& detail) {
  if (!detail.empty()) message += ": " + detail;
  return message;
}

constexpr const char* kNoKey = "no registry key is open";

}  // namespace

void RaiseInvalidType(const std::string& name) {
  throw ERegistryException("Invalid data type for " + Quoted(name));
}

void RaiseReadFailed(const std::string& name, const std::string& detail) {
  throw ERegistryException(WithDetail("Failed to get data for " + Quoted(name), detail));
}

void RaiseWriteFailed(const std::string& name, const std::string& detail) {
  throw ERegistryException(WithDetail("Failed to set data for " + Quoted(name), detail));
}

TRegistry::TRegistry() = default;
TRegistry::~TRegistry() = default;

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  key_.reset();
  key_ = OpenUserKey(key, canCreate);
  return key_ != nullptr;
}

bool TRegistry::ValueExists(const std::string& name) {
  if (!key_) RaiseReadFailed(name, kNoKey);
  return key_->ValueExists(name);
}

std::int32_t TRegistry::ReadInteger(const std::string& name) {
  if (!key_) RaiseReadFailed(name, kNoKey);
  return key_->ReadInteger(name);
}

std::string TRegistry::ReadString(const std::string& name) {
  if (!key_) RaiseReadFailed(name, kNoKey);
  return key_->ReadString(name);
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value) {
  if (!key_) RaiseWriteFailed(name, kNoKey);
  key_->WriteInteger(name, value);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  if (!key_) RaiseWriteFailed(name, kNoKey);
  key_->WriteString(name, value);
}

void TRegistry::CloseKey() {
  key_.reset();
}

}  // namespace platform
