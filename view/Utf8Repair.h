// Makes 8-bit text from the file system safe for the canvas, which takes UTF-8: valid UTF-8
// passes unchanged, and every maximal invalid piece becomes U+FFFD, so a name in another
// encoding still shows, one replacement mark per bad piece.
#pragma once

#include <string>
#include <string_view>

namespace view {

std::string RepairUtf8(std::string_view text);

}  // namespace view
