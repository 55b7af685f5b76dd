// One REGEDIT4 text file held in memory: parsed from bytes, edited value by value and written
// back as bytes. No file I/O here (RegistryFileStore does that), so the parser can be driven
// directly from a byte buffer.
//
// The file keeps every line as it was read, byte for byte, line endings included. Setting a
// value rewrites only that value's line (or adds one line, or one section at the end); every
// comment, blank line, other key and other value stays where it was.
//
// Format read and written:
//   REGEDIT4                                   first line (an optional UTF-8 BOM before it)
//   ; comment                                  lines whose first non-blank character is ';'
//   [HKEY_CURRENT_USER\Software\Halvardyn]     a key; the same key may appear more than once
//   "Name"=...  or  @=...                      a value of the key above (@ is the unnamed one)
// Value data:
//   "text"            REG_SZ; `\\` is a backslash, `\"` a quote, any other backslash is kept
//                     as it stands. Bytes are kept raw (8-bit text, not necessarily UTF-8).
//   dword:ffffff9c    REG_DWORD, 1 to 8 hex digits
//   hex:01,02         REG_BINARY
//   hex(N):01,02      type N in hex (2 REG_EXPAND_SZ, 7 REG_MULTI_SZ, b REG_QWORD, ...)
// Byte lists may go on over several lines: a line ending in `\` continues on the next one.
// A string that a quoted form cannot carry (a line break or a NUL inside) is written as
// hex(1): its raw bytes, the terminating NUL included, so it survives a round trip exactly.
// Names of keys and values compare without regard to ASCII case, as in the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
};

// A value's type and its data as the registry holds it: a string's bytes end in their NUL, a
// dword is 4 bytes little-endian.
struct RegistryValue {
  std::uint32_t type = kRegNone;
  std::string data;

  static RegistryValue Dword(std::int32_t value);
  static RegistryValue String(std::string_view text);  // up to its first NUL, NUL appended
  bool operator==(const RegistryValue&) const = default;
};

class RegistryFile {
 public:
  // An empty file: just the REGEDIT4 line.
  RegistryFile();

  // Parses `bytes`; nullopt when they are not a REGEDIT4 file, with the reason (and line
  // number) in *error when asked for.
  static std::optional<RegistryFile> Parse(std::string_view bytes, std::string* error = nullptr);

  std::string Serialize() const;

  // `key` is a full path with its root, such as "HKEY_CURRENT_USER\Software\Halvardyn".
  // A key exists when a section names it or a key below it.
  bool HasKey(std::string_view key) const;
  // The value in effect: when a key or value appears twice, the later one wins.
  const RegistryValue* Find(std::string_view key, std::string_view name) const;

  // False when the key or name cannot be written as REGEDIT4 (a line break inside).
  bool AddKey(std::string_view key);
  bool Set(std::string_view key, std::string_view name, const RegistryValue& value);

  // Every key and every value in effect, in the order they first appear.
  struct Entry {
    std::string key;
    std::string name;
    RegistryValue value;
  };
  std::vector<std::string> Keys() const;
  std::vector<Entry> Entries() const;

 private:
  enum class Kind { kHeader, kBlank, kComment, kSection, kValue };
  struct Line {
    Kind kind;
    std::string raw;  // as in the file, with its line break(s)
    std::string key;  // kSection: the key; kValue: the key of its section
    std::string name;
    RegistryValue value;
  };

  std::string NewLineText(std::string text) const;
  void EnsureLineBreak(std::size_t line);
  void InsertLine(std::size_t at, Line line);

  std::vector<Line> lines_;
  std::string eol_ = "\n";
};

// The REGEDIT4 text of one value line, without its line break; `eol` separates the lines of
// a long byte list.
std::string FormatRegistryValue(std::string_view name, const RegistryValue& value,
                                std::string_view eol = "\n");

}  // namespace platform
