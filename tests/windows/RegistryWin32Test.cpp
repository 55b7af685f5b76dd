// The registry seam over the real registry (Wine's or Windows'): what each write leaves
// there, byte for byte, and the errors of a value of the wrong type or a write that fails,
// each naming the value.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace {

using platform::ERegistryException;
using platform::OpenUserKey;

class RegistryKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    key_ =
        "Software\\Halvardyn\\OmbrelithTest" + std::to_string(GetCurrentProcessId()) + "\\Default";
    RegDeleteTreeA(HKEY_CURRENT_USER, Parent().c_str());
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, Parent().c_str()); }
  std::string Parent() const { return key_.substr(0, key_.rfind('\\')); }

  void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key_.c_str(), name, type, data, size),
              ERROR_SUCCESS);
  }
  struct Raw {
    DWORD type = 0;
    std::vector<unsigned char> data;
  };
  Raw GetRaw(const char* name) {
    Raw raw;
    DWORD size = 0;
    RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &raw.type,
                 nullptr, &size);
    raw.data.resize(size);
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, key_.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND,
                           &raw.type, raw.data.data(), &size),
              ERROR_SUCCESS)
        << name;
    raw.data.resize(size);
    return raw;
  }

  std::string key_;
};

TEST_F(RegistryKeyTest, OpensAnExistingKeyAndCreatesOnlyWhenAsked) {
  EXPECT_EQ(OpenUserKey(key_, false), nullptr);
  EXPECT_NE(OpenUserKey(key_, true), nullptr);
  EXPECT_NE(OpenUserKey(key_, false), nullptr);
}

TEST_F(RegistryKeyTest, WritesDwordsAndStringsAsStoredTypes) {
  auto key = OpenUserKey(key_, true);
  ASSERT_NE(key, nullptr);
  key->WriteInteger("Left", -7);
  key->WriteString("Path", "C:\\");

  const Raw left = GetRaw("Left");
  EXPECT_EQ(left.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(left.data, (std::vector<unsigned char>{0xF9, 0xFF, 0xFF, 0xFF}));
  const Raw path = GetRaw("Path");
  EXPECT_EQ(path.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(path.data, (std::vector<unsigned char>{'C', ':', '\\', 0}));

  EXPECT_TRUE(key->ValueExists("Left"));
  EXPECT_FALSE(key->ValueExists("Top"));
  EXPECT_EQ(key->ReadInteger("Left"), -7);
  EXPECT_EQ(key->ReadString("Path"), "C:\\");
}

TEST_F(RegistryKeyTest, ReadsStringsUpToTheirFirstNul) {
  SetRaw("Expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
  SetRaw("Empty", REG_SZ, "", 0);
  SetRaw("Inner", REG_SZ, "ab\0cd", 6);
  SetRaw("Unterminated", REG_SZ, "D:\\", 3);
  auto key = OpenUserKey(key_, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Expand"), "%TEMP%\\x");
  EXPECT_EQ(key->ReadString("Empty"), "");
  EXPECT_EQ(key->ReadString("Inner"), "ab");
  EXPECT_EQ(key->ReadString("Unterminated"), "D:\\");
}

TEST_F(RegistryKeyTest, WrongTypesRaiseAnErrorNamingTheValue) {
  const DWORD dword = 5;
  const unsigned char four[4] = {1, 2, 3, 4};
  SetRaw("ShortText", REG_SZ, "12", 3);
  SetRaw("LongText", REG_SZ, "123456789", 10);
  SetRaw("Binary", REG_BINARY, four, 4);
  SetRaw("Dword", REG_DWORD, &dword, 4);
  SetRaw("Multi", REG_MULTI_SZ, "a\0b\0", 5);
  auto key = OpenUserKey(key_, false);
  ASSERT_NE(key, nullptr);

  struct Case {
    const char* name;
    bool asInteger;
  };
  const Case cases[] = {
      {"ShortText", true}, {"LongText", true}, {"Binary", true}, {"Missing", true},
      {"Dword", false},    {"Binary", false},  {"Multi", false}, {"Missing", false},
  };
  for (const Case& c : cases) {
    try {
      if (c.asInteger)
        key->ReadInteger(c.name);
      else
        key->ReadString(c.name);
      ADD_FAILURE() << c.name << " read without an error";
    } catch (const ERegistryException& e) {
      EXPECT_NE(std::string(e.what()).find(std::string("'") + c.name + "'"), std::string::npos)
          << e.what();
    }
  }
}

TEST_F(RegistryKeyTest, AFailedWriteRaisesAnErrorNamingTheValue) {
  auto key = OpenUserKey(key_, true);
  ASSERT_NE(key, nullptr);
  // The open key is deleted under it: every later write fails.
  ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, Parent().c_str()), ERROR_SUCCESS);
  try {
    key->WriteInteger("Width", 538);
    ADD_FAILURE() << "write to a deleted key succeeded";
  } catch (const ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find("'Width'"), std::string::npos) << e.what();
  }
  try {
    key->WriteString("Path", "C:\\");
    ADD_FAILURE() << "write to a deleted key succeeded";
  } catch (const ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find("'Path'"), std::string::npos) << e.what();
  }
}

}  // namespace
