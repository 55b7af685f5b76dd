// Parsing, editing and writing of a REGEDIT4 text file (format in RegistryFile.h).
#include "platform/posix/RegistryFile.h"

#include <cstdio>
#include <unordered_map>

namespace platform {

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Lower(c);
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool StartsWithFolded(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && SameName(s.substr(0, prefix.size()), prefix);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimStart(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// A physical line without its break and without trailing blanks or carriage returns.
std::string_view LineText(std::string_view raw) {
  if (!raw.empty() && raw.back() == '\n') raw.remove_suffix(1);
  while (!raw.empty() && (IsBlank(raw.back()) || raw.back() == '\r')) raw.remove_suffix(1);
  return raw;
}

std::string_view LineBreakOf(std::string_view raw) {
  if (raw.ends_with("\r\n")) return "\r\n";
  if (raw.ends_with("\n")) return "\n";
  return "";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to `maxDigits` hex digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view s, std::size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  std::uint32_t n = 0;
  for (char c : s) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    n = n * 16 + static_cast<std::uint32_t>(d);
  }
  return n;
}

// Reads a quoted text starting at s[0] == '"'; leaves `s` after the closing quote.
std::optional<std::string> ParseQuoted(std::string_view& s) {
  std::string out;
  std::size_t i = 1;
  for (;;) {
    if (i >= s.size()) return std::nullopt;
    char c = s[i++];
    if (c == '"') break;
    if (c == '\\' && i < s.size() && (s[i] == '\\' || s[i] == '"')) c = s[i++];
    out += c;
  }
  s.remove_prefix(i);
  return out;
}

std::string Escaped(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::optional<std::string> ParseByteList(std::string_view s) {
  std::string out;
  while (true) {
    std::size_t comma = s.find(',');
    std::string_view item = s.substr(0, comma);
    item = TrimStart(item);
    while (!item.empty() && IsBlank(item.back())) item.remove_suffix(1);
    if (item.empty()) {
      // Only a trailing comma (or an empty list) leaves an empty item.
      if (comma != std::string_view::npos) return std::nullopt;
      break;
    }
    auto byte = ParseHexNumber(item, 2);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
    if (comma == std::string_view::npos) break;
    s.remove_prefix(comma + 1);
    if (TrimStart(s).empty()) break;  // "01,02,"
  }
  return out;
}

bool CanQuote(const RegistryValue& v) {
  if (v.type != kRegSz || v.data.empty() || v.data.back() != '\0') return false;
  return v.data.find_first_of(std::string_view("\0\n\r", 3)) == v.data.size() - 1;
}

bool Writable(std::string_view s) {
  return s.find('\n') == std::string_view::npos;
}

}  // namespace

RegistryValue RegistryValue::Dword(std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  std::string data;
  for (int i = 0; i < 4; ++i) data += static_cast<char>((u >> (8 * i)) & 0xff);
  return {kRegDword, data};
}

RegistryValue RegistryValue::String(std::string_view text) {
  std::string data(text.substr(0, text.find('\0')));
  data += '\0';
  return {kRegSz, data};
}

std::string FormatRegistryValue(std::string_view name, const RegistryValue& value,
                                std::string_view eol) {
  std::string line = name.empty() ? "@=" : "\"" + Escaped(name) + "\"=";
  if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(value.data[i]);
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", u);
    return line + "dword:" + digits;
  }
  if (CanQuote(value)) {
    return line + "\"" + Escaped(std::string_view(value.data).substr(0, value.data.size() - 1)) +
           "\"";
  }
  char prefix[20];
  if (value.type == kRegBinary)
    std::snprintf(prefix, sizeof prefix, "hex:");
  else
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
  line += prefix;
  // Long byte lists go on over several lines, each but the last ending in ",\".
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    char byte[3];
    std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(value.data[i]));
    if (i > 0) {
      line += ',';
      if (line.size() - lineStart > 76) {
        line += "\\";
        line += eol;
        lineStart = line.size();
        line += "  ";
      }
    }
    line += byte;
  }
  return line;
}

RegistryFile::RegistryFile() {
  lines_.push_back({Kind::kHeader, "REGEDIT4\n", {}, {}, {}});
}

std::optional<RegistryFile> RegistryFile::Parse(std::string_view bytes, std::string* error) {
  std::vector<std::string_view> physical;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    end = end == std::string_view::npos ? bytes.size() : end + 1;
    physical.push_back(bytes.substr(start, end - start));
    start = end;
  }
  auto fail = [&](std::size_t line, const char* why) -> std::optional<RegistryFile> {
    if (error) *error = "line " + std::to_string(line + 1) + ": " + why;
    return std::nullopt;
  };

  RegistryFile file;
  if (physical.empty()) return fail(0, "empty file");
  std::string_view header = LineText(physical[0]);
  if (header.starts_with("\xEF\xBB\xBF")) header.remove_prefix(3);
  if (header != "REGEDIT4") return fail(0, "not a REGEDIT4 file");
  file.lines_[0].raw = physical[0];
  if (LineBreakOf(physical[0]) == "\r\n") file.eol_ = "\r\n";

  std::string key;
  bool inKey = false;
  for (std::size_t i = 1; i < physical.size(); ++i) {
    const std::size_t first = i;
    std::string_view text = TrimStart(LineText(physical[i]));
    Line line{Kind::kBlank, std::string(physical[i]), {}, {}, {}};
    if (text.empty()) {
      line.kind = Kind::kBlank;
    } else if (text.front() == ';') {
      line.kind = Kind::kComment;
    } else if (text.front() == '[') {
      if (text.size() < 3 || text.back() != ']') return fail(i, "unfinished key name");
      key = text.substr(1, text.size() - 2);
      if (key.front() == '-') return fail(i, "key deletion is not stored state");
      inKey = true;
      line.kind = Kind::kSection;
      line.key = key;
    } else if (text.front() == '"' || text.front() == '@') {
      if (!inKey) return fail(i, "value before any key");
      std::string name;
      if (text.front() == '@') {
        text.remove_prefix(1);
      } else {
        auto quoted = ParseQuoted(text);
        if (!quoted) return fail(i, "unfinished value name");
        name = *quoted;
      }
      text = TrimStart(text);
      if (text.empty() || text.front() != '=') return fail(i, "'=' expected after value name");
      text = TrimStart(text.substr(1));
      RegistryValue value;
      if (!text.empty() && text.front() == '"') {
        auto quoted = ParseQuoted(text);
        if (!quoted || !text.empty()) return fail(i, "malformed string value");
        value = {kRegSz, *quoted + '\0'};
      } else if (StartsWithFolded(text, "dword:")) {
        auto n = ParseHexNumber(text.substr(6), 8);
        if (!n) return fail(i, "malformed dword value");
        value = RegistryValue::Dword(static_cast<std::int32_t>(*n));
      } else if (StartsWithFolded(text, "hex")) {
        text.remove_prefix(3);
        value.type = kRegBinary;
        if (!text.empty() && text.front() == '(') {
          std::size_t close = text.find(')');
          auto type = close == std::string_view::npos
                          ? std::nullopt
                          : ParseHexNumber(text.substr(1, close - 1), 8);
          if (!type) return fail(i, "malformed hex type");
          value.type = *type;
          text.remove_prefix(close + 1);
        }
        if (text.empty() || text.front() != ':') return fail(i, "':' expected after hex");
        text.remove_prefix(1);
        std::string list;
        while (!text.empty() && text.back() == '\\') {
          list += text.substr(0, text.size() - 1);
          if (++i >= physical.size()) return fail(first, "byte list goes on past the end");
          line.raw += physical[i];
          text = LineText(physical[i]);
        }
        list += text;
        auto data = ParseByteList(list);
        if (!data) return fail(first, "malformed byte list");
        value.data = *data;
      } else {
        return fail(i, "unknown value type");
      }
      line.kind = Kind::kValue;
      line.key = key;
      line.name = name;
      line.value = value;
    } else {
      return fail(i, "not a key, value or comment");
    }
    file.lines_.push_back(std::move(line));
  }
  return file;
}

std::string RegistryFile::Serialize() const {
  std::string out;
  for (const Line& line : lines_) out += line.raw;
  return out;
}

bool RegistryFile::HasKey(std::string_view key) const {
  for (const Line& line : lines_) {
    if (line.kind != Kind::kSection) continue;
    if (SameName(line.key, key)) return true;
    if (line.key.size() > key.size() && line.key[key.size()] == '\\' &&
        StartsWithFolded(line.key, key))
      return true;
  }
  return false;
}

const RegistryValue* RegistryFile::Find(std::string_view key, std::string_view name) const {
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it)
    if (it->kind == Kind::kValue && SameName(it->key, key) && SameName(it->name, name))
      return &it->value;
  return nullptr;
}

std::string RegistryFile::NewLineText(std::string text) const {
  return text + eol_;
}

void RegistryFile::EnsureLineBreak(std::size_t line) {
  if (LineBreakOf(lines_[line].raw).empty()) lines_[line].raw += eol_;
}

void RegistryFile::InsertLine(std::size_t at, Line line) {
  EnsureLineBreak(at - 1);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool RegistryFile::AddKey(std::string_view key) {
  if (key.empty() || key.front() == '-' || !Writable(key)) return false;
  for (const Line& line : lines_)
    if (line.kind == Kind::kSection && SameName(line.key, key)) return true;
  // A blank line before each new key, as exported files have.
  if (lines_.back().kind != Kind::kBlank)
    InsertLine(lines_.size(), {Kind::kBlank, eol_, {}, {}, {}});
  std::string k(key);
  InsertLine(lines_.size(), {Kind::kSection, NewLineText("[" + k + "]"), k, {}, {}});
  return true;
}

bool RegistryFile::Set(std::string_view key, std::string_view name, const RegistryValue& value) {
  if (!Writable(name)) return false;
  for (auto it = lines_.rbegin(); it != lines_.rend(); ++it) {
    if (it->kind == Kind::kValue && SameName(it->key, key) && SameName(it->name, name)) {
      it->raw = FormatRegistryValue(it->name, value, eol_) + std::string(LineBreakOf(it->raw));
      it->value = value;
      return true;
    }
  }
  if (!AddKey(key)) return false;
  // After the last value of the key's last section, or right below its header.
  std::size_t at = 0;
  for (std::size_t i = lines_.size(); i-- > 0;) {
    if (lines_[i].kind == Kind::kSection && SameName(lines_[i].key, key)) {
      at = i + 1;
      for (std::size_t j = i + 1; j < lines_.size() && lines_[j].kind != Kind::kSection; ++j)
        if (lines_[j].kind == Kind::kValue) at = j + 1;
      break;
    }
  }
  std::string k(lines_[at - 1].key);
  InsertLine(at, {Kind::kValue, NewLineText(FormatRegistryValue(name, value, eol_)), k,
                  std::string(name), value});
  return true;
}

std::vector<std::string> RegistryFile::Keys() const {
  std::vector<std::string> keys;
  std::unordered_map<std::string, bool> seen;
  for (const Line& line : lines_)
    if (line.kind == Kind::kSection && seen.emplace(Folded(line.key), true).second)
      keys.push_back(line.key);
  return keys;
}

std::vector<RegistryFile::Entry> RegistryFile::Entries() const {
  std::vector<Entry> entries;
  std::unordered_map<std::string, std::size_t> index;
  for (const Line& line : lines_) {
    if (line.kind != Kind::kValue) continue;
    // The key cannot hold a line break, so it separates the two names unambiguously.
    auto [it, added] = index.emplace(Folded(line.key) + '\n' + Folded(line.name), entries.size());
    if (added)
      entries.push_back({line.key, line.name, line.value});
    else
      entries[it->second].value = line.value;
  }
  return entries;
}

}  // namespace platform
