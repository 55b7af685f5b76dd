// BMP decoding: the file header, a BITMAPINFOHEADER (or a larger one), an optional palette
// and uncompressed rows, bottom-up unless the height is negative.
#include "platform/Bitmap.h"

#include <cstdint>
#include <map>

#include "platform/Embedded.h"
#include "platform/Object.h"

namespace platform {

namespace {

std::uint32_t ReadLE(std::string_view data, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(data[at + i]);
  return v;
}

}  // namespace

TBitmapData DecodeBmp(std::string_view data, const std::string& what) {
  auto fail = [&](const std::string& why) { return Exception("Image " + what + ": " + why); };
  if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') throw fail("not a BMP file");
  const std::uint32_t pixelOffset = ReadLE(data, 10, 4);
  const std::uint32_t headerSize = ReadLE(data, 14, 4);
  const int width = static_cast<std::int32_t>(ReadLE(data, 18, 4));
  const int rawHeight = static_cast<std::int32_t>(ReadLE(data, 22, 4));
  const int bits = static_cast<int>(ReadLE(data, 28, 2));
  const std::uint32_t compression = ReadLE(data, 30, 4);
  std::uint32_t colorsUsed = ReadLE(data, 46, 4);
  if (headerSize < 40 || width <= 0 || rawHeight == 0 || width > 4096 || rawHeight > 4096 ||
      rawHeight < -4096)
    throw fail("bad header");
  if (compression != 0 && !(compression == 3 && bits == 32)) throw fail("compressed");
  if (bits != 4 && bits != 8 && bits != 24 && bits != 32) throw fail("unsupported depth");
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;

  std::vector<std::uint32_t> palette;
  if (bits <= 8) {
    if (colorsUsed == 0) colorsUsed = 1u << bits;
    if (colorsUsed > (1u << bits)) throw fail("bad palette");
    const std::size_t at = 14 + headerSize;
    if (at + colorsUsed * 4 > data.size()) throw fail("truncated palette");
    for (std::uint32_t i = 0; i < colorsUsed; ++i)
      palette.push_back(0xFF000000u | (ReadLE(data, at + i * 4, 4) & 0xFFFFFF));
  }

  const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (pixelOffset + rowBytes * height > data.size()) throw fail("truncated pixels");

  TBitmapData out;
  out.Width = width;
  out.Height = height;
  out.Pixels.resize(static_cast<std::size_t>(width) * height);
  bool anyAlpha = false;
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    const std::size_t base = pixelOffset + rowBytes * row;
    for (int x = 0; x < width; ++x) {
      std::uint32_t argb = 0;
      if (bits == 4) {
        const auto byte = static_cast<unsigned char>(data[base + x / 2]);
        const unsigned index = (x % 2 == 0) ? byte >> 4 : byte & 0x0F;
        if (index >= palette.size()) throw fail("palette index out of range");
        argb = palette[index];
      } else if (bits == 8) {
        const auto index = static_cast<unsigned char>(data[base + x]);
        if (index >= palette.size()) throw fail("palette index out of range");
        argb = palette[index];
      } else if (bits == 24) {
        argb = 0xFF000000u | ReadLE(data, base + x * 3, 3);
      } else {
        argb = ReadLE(data, base + x * 4, 4);
        if (argb >> 24) anyAlpha = true;
      }
      out.Pixels[static_cast<std::size_t>(y) * width + x] = argb;
    }
  }
  // A 32-bit image without any alpha is opaque.
  if (bits == 32 && !anyAlpha)
    for (auto& p : out.Pixels) p |= 0xFF000000u;
  return out;
}

const TBitmapData& EmbeddedImage(const std::string& name) {
  static std::map<std::string, TBitmapData> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return it->second;
  std::string_view data = FindEmbedded(name);
  if (data.empty()) throw Exception("Image " + name + " is not embedded in the program");
  return cache.emplace(name, DecodeBmp(data, name)).first->second;
}

TBitmapData WithTransparentCorner(const TBitmapData& picture) {
  TBitmapData out = picture;
  if (out.Empty()) return out;
  const std::uint32_t key = out.Pixels[static_cast<std::size_t>(out.Height - 1) * out.Width];
  for (auto& p : out.Pixels)
    if (p == key) p = 0;
  return out;
}

}  // namespace platform
