#include "view/Utf8Repair.h"

namespace view {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Length of the valid sequence starting at text[i], or of the maximal invalid prefix (at
// least 1) when `valid` comes back false. Overlong forms, surrogates and code points above
// U+10FFFF are invalid.
std::size_t SequenceAt(std::string_view text, std::size_t i, bool& valid) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  valid = false;
  std::size_t length = 0;
  unsigned char low = 0x80;  // allowed range of the second byte
  unsigned char high = 0xBF;
  if (lead < 0x80) {
    valid = true;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 1;
  }
  std::size_t n = 1;
  for (; n < length && i + n < text.size(); ++n) {
    const unsigned char c = static_cast<unsigned char>(text[i + n]);
    const bool ok = n == 1 ? (c >= low && c <= high) : IsContinuation(c);
    if (!ok) return n;
  }
  if (n < length) return n;
  valid = true;
  return length;
}

}  // namespace

std::string RepairUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    bool valid = false;
    const std::size_t n = SequenceAt(text, i, valid);
    if (valid)
      out.append(text.substr(i, n));
    else
      out.append(kReplacement);
    i += n;
  }
  return out;
}

}  // namespace view
