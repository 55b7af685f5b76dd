// Files embedded in the executable at build time: form descriptions and images, looked up by
// file name ("DuForm.json", "icon.bmp"). cmake/Embed.cmake generates the definition of
// FindEmbedded from the program's one list of embedded files.
#pragma once

#include <string_view>

namespace platform {

// The bytes of the embedded file `name`; empty when there is none.
std::string_view FindEmbedded(std::string_view name);

}  // namespace platform
