// Where the help file is: a name without a folder is looked up first beside the running
// executable, then in the installed data folder <prefix>/share/ombrelith, where prefix is the
// executable's folder's parent. The current folder is never searched, so a file planted there
// cannot stand in for the real one. An absolute path is the caller's own choice and is returned
// as given; any other name with a folder in it is refused.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Folder of the running executable; empty when the system does not tell.
std::filesystem::path ExecutableFolder();

// Full path of the help file `name` as the search above finds it, or empty when no candidate
// is a regular file or the name is refused. The one-argument form searches from ExecutableFolder().
std::string ResolveHelpFile(std::string_view name);
std::string ResolveHelpFile(std::string_view name, const std::filesystem::path& exeFolder);

}  // namespace platform
