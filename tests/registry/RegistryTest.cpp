// TRegistry through the system's own store: typed reads and writes, their errors, and keys
// that are missing or not open. Each test works in a key of its own, named afresh per run.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "platform/Registry.h"

namespace {

using platform::ERegistryException;
using platform::TRegistry;

std::string FreshKey() {
  std::random_device random;
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string("Software\\Halvardyn\\OmbrelithTests\\") + test->name() + "-" +
         std::to_string(random()) + "\\Default";
}

template <typename Read>
std::string ErrorOf(Read read) {
  try {
    read();
  } catch (const ERegistryException& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Registry, MissingKeyOpensNothingAndUnopenedKeyRaises) {
  const std::string key = FreshKey();
  TRegistry reg;
  reg.CloseKey();  // nothing open: does nothing
  EXPECT_FALSE(reg.OpenKey(key, false));
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Left"); }),
            "Failed to get data for 'Left': no registry key is open");
  EXPECT_EQ(ErrorOf([&] { reg.WriteString("Path", "x"); }),
            "Failed to set data for 'Path': no registry key is open");
  reg.CloseKey();

  ASSERT_TRUE(reg.OpenKey(key, true));  // creates the key, even with no value in it
  reg.CloseKey();
  TRegistry again;
  EXPECT_TRUE(again.OpenKey(key, false));
  EXPECT_FALSE(again.ValueExists("Left"));
  EXPECT_EQ(ErrorOf([&] { again.ReadInteger("Left"); }), "Failed to get data for 'Left'");
}

TEST(Registry, EveryKindOfValueRoundTrips) {
  const std::string key = FreshKey();
  const struct {
    const char* name;
    std::int32_t value;
  } integers[] = {
      {"Left", -100},
      {"Top", 0},
      {"Width", std::numeric_limits<std::int32_t>::max()},
      {"Height", std::numeric_limits<std::int32_t>::min()},
  };
  const struct {
    const char* name;
    std::string value;
  } strings[] = {
      {"Path", "C:\\"},
      {"Empty", ""},
      {"Quotes", "a \"quoted\\\" \\\\ back\\slash\\"},
      {"Bytes", "/data/\xff\xfe\x80 caf\xc3\xa9 \x01\t;[x]=\"y\""},
      {"Lines", "/first\nsecond\r\nthird\r"},
  };
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, true));
    for (const auto& v : integers) reg.WriteInteger(v.name, v.value);
    for (const auto& v : strings) reg.WriteString(v.name, v.value);
    reg.CloseKey();
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(key, false));
  for (const auto& v : integers) {
    EXPECT_TRUE(reg.ValueExists(v.name)) << v.name;
    EXPECT_EQ(reg.ReadInteger(v.name), v.value) << v.name;
  }
  for (const auto& v : strings) {
    EXPECT_TRUE(reg.ValueExists(v.name)) << v.name;
    EXPECT_EQ(reg.ReadString(v.name), v.value) << v.name;
  }
  EXPECT_EQ(reg.ReadInteger("left"), -100);  // names are not case sensitive

  // Writing again replaces the value, also with one of another type.
  reg.WriteInteger("Left", 7);
  reg.WriteString("Top", "now text");
  EXPECT_EQ(reg.ReadInteger("Left"), 7);
  EXPECT_EQ(reg.ReadString("Top"), "now text");
}

TEST(Registry, StringEndsAtItsFirstNul) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(FreshKey(), true));
  reg.WriteString("Path", std::string("/a/\0/b/", 7));
  EXPECT_EQ(reg.ReadString("Path"), "/a/");
}

TEST(Registry, ReadOfTheWrongTypeRaisesNamingTheValue) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(FreshKey(), true));
  reg.WriteString("Left", "1");
  reg.WriteString("Top", "C:\\Program Files\\");
  reg.WriteInteger("Path", 5);
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Left"); }), "Invalid data type for 'Left'");
  // Longer data than a dword may also be reported as unreadable; the value is named either way.
  EXPECT_NE(ErrorOf([&] { reg.ReadInteger("Top"); }).find("'Top'"), std::string::npos);
  EXPECT_EQ(ErrorOf([&] { reg.ReadString("Path"); }), "Invalid data type for 'Path'");
  EXPECT_EQ(ErrorOf([&] { reg.ReadString("Missing"); }), "Failed to get data for 'Missing'");
}

}  // namespace
