// libFuzzer target for the REGEDIT4 parser, built by scripts/fuzz (not part of the CMake
// build). For every input that parses it checks three things and traps when one fails:
//   - the file written back unchanged is the input, byte for byte;
//   - a fresh file made from its keys and values parses back to the same keys and values;
//   - after setting two values (one new, one string that needs hex(1)) it parses back to the
//     old values with just those two changed.
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "platform/posix/RegistryFile.h"

namespace {

using platform::RegistryFile;
using platform::RegistryValue;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "registry file check failed: %s\n", what);
    __builtin_trap();
  }
}

std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

using Values = std::map<std::string, RegistryValue>;

Values ValuesOf(const RegistryFile& file) {
  Values values;
  for (const auto& e : file.Entries()) values[Folded(e.key) + '\n' + Folded(e.name)] = e.value;
  return values;
}

std::set<std::string> KeysOf(const RegistryFile& file) {
  std::set<std::string> keys;
  for (const auto& k : file.Keys()) keys.insert(Folded(k));
  return keys;
}

const char* const kKey = "HKEY_CURRENT_USER\\Software\\Halvardyn\\Ombrelith\\Default";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto file = RegistryFile::Parse(bytes);
  if (!file) return 0;
  Check(file->Serialize() == bytes, "unchanged file differs from its input");

  RegistryFile fresh;
  for (const auto& key : file->Keys()) Check(fresh.AddKey(key), "a parsed key cannot be added");
  for (const auto& e : file->Entries())
    Check(fresh.Set(e.key, e.name, e.value), "a parsed value cannot be set");
  auto again = RegistryFile::Parse(fresh.Serialize());
  Check(again.has_value(), "a file made from parsed values does not parse");
  Check(KeysOf(*again) == KeysOf(*file), "keys differ after writing them afresh");
  Check(ValuesOf(*again) == ValuesOf(*file), "values differ after writing them afresh");

  RegistryFile edited = *file;
  const RegistryValue left = RegistryValue::Dword(-100);
  const RegistryValue path = RegistryValue::String("/a\\\"\n\xff/");
  Check(edited.Set(kKey, "Left", left) && edited.Set(kKey, "Path", path), "set failed");
  auto reparsed = RegistryFile::Parse(edited.Serialize());
  Check(reparsed.has_value(), "an edited file does not parse");
  Values expected = ValuesOf(*file);
  expected[Folded(kKey) + "\nleft"] = left;
  expected[Folded(kKey) + "\npath"] = path;
  Check(ValuesOf(*reparsed) == expected, "an edit changed other values");
  std::set<std::string> keys = KeysOf(*file);
  keys.insert(Folded(kKey));
  Check(KeysOf(*reparsed) == keys, "an edit changed the keys");
  return 0;
}
