#include "platform/HelpPath.h"

#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace platform {

namespace fs = std::filesystem;

namespace {

// Both separators and the drive colon count on every system, so "..\\x.chm" or "C:x.chm" is
// never taken for a bare name.
bool IsBareName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string_view::npos;
}

bool IsRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

fs::path ExecutableFolder() {
#ifdef _WIN32
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return fs::path(std::string(buffer.data(), length)).parent_path();
    buffer.resize(buffer.size() * 2);
  }
#else
  std::error_code error;
  fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error || !exe.is_absolute()) return {};
  return exe.parent_path();
#endif
}

std::string ResolveHelpFile(std::string_view name) {
  return ResolveHelpFile(name, ExecutableFolder());
}

std::string ResolveHelpFile(std::string_view name, const fs::path& exeFolder) {
  if (fs::path(name).is_absolute()) return std::string(name);
  if (!IsBareName(name)) return {};
  // Without a known, absolute executable folder there is nowhere safe to look.
  if (exeFolder.empty() || !exeFolder.is_absolute()) return {};
  const fs::path file(name);
  const fs::path candidates[] = {
      exeFolder / file,
      exeFolder.parent_path() / "share" / "ombrelith" / file,
  };
  for (const fs::path& candidate : candidates)
    if (IsRegularFile(candidate)) return candidate.string();
  return {};
}

}  // namespace platform
