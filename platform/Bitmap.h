// Reading BMP files (uncompressed 4, 8, 24 and 32 bits per pixel) into pixels, and the
// embedded images by name.
#pragma once

#include <string>
#include <string_view>

#include "platform/UiTypes.h"

namespace platform {

// Decodes a BMP file; raises Exception naming `what` when the data is not a BMP it reads.
TBitmapData DecodeBmp(std::string_view data, const std::string& what);
// The embedded image `name`, decoded once and kept; raises Exception when it is missing.
const TBitmapData& EmbeddedImage(const std::string& name);
// A copy in which every pixel of the bottom-left pixel's colour is transparent.
TBitmapData WithTransparentCorner(const TBitmapData& picture);

}  // namespace platform
