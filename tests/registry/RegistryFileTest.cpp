// The REGEDIT4 text: what parses and to which values, what does not, how values are written
// and that an edit changes nothing but the value it sets.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/RegistryFile.h"

namespace {

using platform::FormatRegistryValue;
using platform::RegistryFile;
using platform::RegistryValue;

const char* const kKey = R"(HKEY_CURRENT_USER\Software\Halvardyn\Ombrelith\Default)";

std::string WithKey(const std::string& body) {
  return std::string("REGEDIT4\n\n[") + kKey + "]\n" + body;
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

TEST(RegistryFileParse, ValuesOfEveryNotation) {
  const struct {
    std::string text;
    const char* name;
    RegistryValue expected;
  } cases[] = {
      {WithKey("\"Left\"=dword:ffffff9c\n"), "Left", RegistryValue::Dword(-100)},
      {WithKey("\"Left\"=DWORD:1\n"), "Left", RegistryValue::Dword(1)},
      {WithKey("\"Path\"=\"/home/u/data/\"\n"), "Path", RegistryValue::String("/home/u/data/")},
      {WithKey(R"("Path"="C:\\ \"q\" \x")"
               "\n"),
       "Path", RegistryValue::String(R"(C:\ "q" \x)")},
      {WithKey("\"Path\"=\"\xff\xfe\"\n"), "Path", RegistryValue::String("\xff\xfe")},
      {WithKey("\"Path\" = \"spaced\"   \t\n"), "Path", RegistryValue::String("spaced")},
      {WithKey(R"("Na\"me\\"=dword:2)"), "Na\"me\\", RegistryValue::Dword(2)},
      {WithKey("@=\"unnamed\"\n"), "", RegistryValue::String("unnamed")},
      {WithKey("\"Bin\"=hex:\n"), "Bin", {3, ""}},
      {WithKey("\"Bin\"=hex:00,ff,\\\n  1,02\n"), "Bin", {3, Bytes({0, 255, 1, 2})}},
      {WithKey("\"Exp\"=hex(2):25,00\n"), "Exp", {2, Bytes({'%', 0})}},
      {WithKey("\"Q\"=hex(b):01,00,00,00,00,00,00,00,\n"),
       "Q",
       {11, Bytes({1, 0, 0, 0, 0, 0, 0, 0})}},
      {WithKey("\"Left\"=dword:1\n\"left\"=dword:2\n"), "LEFT", RegistryValue::Dword(2)},
      {"\xEF\xBB\xBFREGEDIT4\r\n[" + std::string(kKey) + "]\r\n\"Top\"=dword:00000005\r\n", "Top",
       RegistryValue::Dword(5)},
  };
  for (const auto& c : cases) {
    std::string error;
    auto file = RegistryFile::Parse(c.text, &error);
    ASSERT_TRUE(file) << c.text << "\n" << error;
    const RegistryValue* value = file->Find(kKey, c.name);
    ASSERT_TRUE(value) << c.text;
    EXPECT_EQ(*value, c.expected) << c.text;
    EXPECT_EQ(file->Serialize(), c.text);  // unchanged, byte for byte
  }
}

TEST(RegistryFileParse, RejectsWhatIsNotAStoredFile) {
  const std::string cases[] = {
      "",
      "REGEDIT5\n",
      "Windows Registry Editor Version 5.00\n",
      "\x7f"
      "ELF\x02\x01\x01\0\0\0",
      "REGEDIT4\n\"Left\"=dword:1\n",  // a value before any key
      "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Hal",
      "REGEDIT4\n[]\n",
      "REGEDIT4\n[-HKEY_CURRENT_USER\\Software]\n",
      "REGEDIT4\nstray text\n",
      WithKey("\"Left\"\n"),
      WithKey("\"Left\"=\n"),
      WithKey("\"Left\"=dword:123456789\n"),
      WithKey("\"Left\"=dword:12x\n"),
      WithKey("\"Left\"=qword:1\n"),
      WithKey("\"Path\"=\"/home/u/da"),
      WithKey("\"Path\"=\"/a\" trailing\n"),
      WithKey("\"Path=\"x\"\n"),
      WithKey("\"Bin\"=hex:1,,2\n"),
      WithKey("\"Bin\"=hex:123\n"),
      WithKey("\"Bin\"=hex(2:00\n"),
      WithKey("\"Bin\"=hex(123456789):00\n"),
      WithKey("\"Bin\"=hex:01,02,\\\n"),  // the byte list goes on past the end
  };
  for (const auto& text : cases) EXPECT_FALSE(RegistryFile::Parse(text)) << text;
}

TEST(RegistryFileParse, KeyExistsThroughASectionOrOneBelowIt) {
  auto file = RegistryFile::Parse("REGEDIT4\n[HKEY_CURRENT_USER\\A\\B\\C]\n");
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->HasKey("hkey_current_user\\a\\b\\c"));
  EXPECT_TRUE(file->HasKey("HKEY_CURRENT_USER\\A"));
  EXPECT_FALSE(file->HasKey("HKEY_CURRENT_USER\\A\\B\\C\\D"));
  EXPECT_FALSE(file->HasKey("HKEY_CURRENT_USER\\A\\B\\"));
  EXPECT_FALSE(file->HasKey("HKEY_CURRENT_USER\\A\\BB"));
}

TEST(RegistryFileFormat, ValueLines) {
  const struct {
    const char* name;
    RegistryValue value;
    std::string line;
  } cases[] = {
      {"Left", RegistryValue::Dword(-100), R"("Left"=dword:ffffff9c)"},
      {"Top", RegistryValue::Dword(0x7fffffff), R"("Top"=dword:7fffffff)"},
      {"Path", RegistryValue::String(R"(C:\a "b")"), R"("Path"="C:\\a \"b\"")"},
      {"Path", RegistryValue::String("\xff/\x01"), "\"Path\"=\"\xff/\x01\""},
      {"Path", RegistryValue::String("a\nb\r"), R"("Path"=hex(1):61,0a,62,0d,00)"},
      {"Path", {1, "ab"}, R"("Path"=hex(1):61,62)"},  // no NUL to end it: kept so
      {"Exp", {2, Bytes({'%', 0})}, R"("Exp"=hex(2):25,00)"},
      {"Short", {4, Bytes({1, 2})}, R"("Short"=hex(4):01,02)"},
      {"Bin", {3, ""}, R"("Bin"=hex:)"},
      {"", RegistryValue::String(""), R"(@="")"},
      {"Na\"me\\", RegistryValue::Dword(1), R"("Na\"me\\"=dword:00000001)"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatRegistryValue(c.name, c.value), c.line);

  // A long byte list goes on over lines of at most 80 characters and reads back the same.
  RegistryValue big{3, std::string(100, '\x5a')};
  std::string line = FormatRegistryValue("Big", big);
  std::size_t start = 0;
  for (std::size_t end; (end = line.find('\n', start)) != std::string::npos; start = end + 1)
    EXPECT_LE(end - start, 80u);
  auto file = RegistryFile::Parse(WithKey(line + "\n"));
  ASSERT_TRUE(file);
  EXPECT_EQ(*file->Find(kKey, "Big"), big);
}

TEST(RegistryFileEdit, ChangesOnlyTheValueItSets) {
  const std::string before =
      "REGEDIT4\n"
      "; written by hand\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\n"
      "\"Left\"=dword:00000001\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\Halvardyn\\Ombrelith\\Default]\n"
      "\"Mine\"=hex:01,\\\n"
      "  02\n"
      "\"left\"=\"was a string\"   \n"
      "; about the next key\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\X]\n"
      "@=\"x\"";  // no line break at the end
  for (const std::string eol : {"\n", "\r\n"}) {
    std::string text = before;
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += eol.size())
      text.replace(at, 1, eol);
    auto file = RegistryFile::Parse(text);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Set(kKey, "Left", RegistryValue::Dword(-100)));
    ASSERT_TRUE(file->Set(kKey, "Top", RegistryValue::Dword(2)));
    ASSERT_TRUE(file->Set("HKEY_CURRENT_USER\\New", "Path", RegistryValue::String("/p/")));
    std::string expected = text;
    const std::string oldLine = "\"left\"=\"was a string\"   " + eol;
    expected.replace(expected.find(oldLine), oldLine.size(),
                     "\"left\"=dword:ffffff9c" + eol + "\"Top\"=dword:00000002" + eol);
    expected += eol + eol + "[HKEY_CURRENT_USER\\New]" + eol + "\"Path\"=\"/p/\"" + eol;
    EXPECT_EQ(file->Serialize(), expected);
  }
}

TEST(RegistryFileEdit, RefusesNamesThatWouldBreakTheFile) {
  RegistryFile file;
  EXPECT_FALSE(file.Set(kKey, "a\nb", RegistryValue::Dword(1)));
  EXPECT_FALSE(file.AddKey("HKEY_CURRENT_USER\\a\nb"));
  EXPECT_EQ(file.Serialize(), "REGEDIT4\n");
}

}  // namespace
