// Band labels: the name part of files and folders, the size texts at the K/M/G boundaries,
// and names that are not valid UTF-8.
#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "tests/view/ViewFixtures.h"
#include "view/ChartLabel.h"
#include "view/Utf8Repair.h"

namespace testing_view {
namespace {

TEST(ChartLabel, SizeTexts) {
  const struct {
    double bytes;
    const char* text;
  } cases[] = {
      {0, "0K"},
      {1000, "1K"},
      {1048576, "1024K"},
      {1048577, "1.0M"},
      {1073741824, "1024.0M"},
      {1073741825, "1.0G"},
      {3.0 * (1 << 29), "1.5G"},
      {1e18, "931322574.6G"},
  };
  for (const auto& c : cases) EXPECT_EQ(view::SizeText(c.bytes), c.text) << c.bytes;
}

// The process locale may use a decimal comma (a toolkit sets it from the environment); the
// chart's sizes keep their point.
TEST(ChartLabel, SizeTextIgnoresTheLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr)
    GTEST_SKIP() << "no locale with a decimal comma installed";
  const std::string text = view::SizeText(3.0 * (1 << 29));
  std::setlocale(LC_NUMERIC, before.c_str());
  EXPECT_EQ(text, "1.5G");
}

TEST(ChartLabel, NameParts) {
  EXPECT_EQ(view::FileNamePart(kSep + "data" + kSep + "report.final.pdf"), "report.final.pdf");
  EXPECT_EQ(view::FileNamePart("plain"), "plain");
  EXPECT_EQ(view::FolderNamePart(kSep + "data" + kSep + "my.dir" + kSep), "my.dir");
  // A long path is labelled from its first 259 characters less the last of them.
  const std::string longPath = kSep + std::string(150, 'a') + kSep + std::string(200, 'b') + kSep;
  EXPECT_EQ(view::FolderNamePart(longPath), std::string(259 - 152 - 1, 'b'));
}

TEST(ChartLabel, WholeLabels) {
  auto root = MakeRoot(kSep + "data" + kSep);
  FileEnt* file = File(*root, "readme.txt", 12 * 1024);
  DirEnt* folder = Folder(*root, "System32");
  folder->SetSize(1.5 * 1024 * 1024 * 1024);
  EXPECT_EQ(view::ChartLabel(*file), "readme.txt : 12K");
  EXPECT_EQ(view::ChartLabel(*folder), "System32 : 1.5G");
}

TEST(ChartLabel, NameInAnotherEncodingStillShows) {
  auto root = MakeRoot(kSep + "data" + kSep);
  FileEnt* latin1 = File(*root, "caf\xE9.txt", 2048);
  DirEnt* kana = Folder(*root, "\xE5\x86\x99\xE7\x9C\x9F");
  EXPECT_EQ(view::ChartLabel(*latin1), "caf\xEF\xBF\xBD.txt : 2K");
  EXPECT_EQ(view::ChartLabel(*kana), "\xE5\x86\x99\xE7\x9C\x9F : 0K");
}

TEST(Utf8Repair, ReplacesEachInvalidPiece) {
  const std::string r = "\xEF\xBF\xBD";
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"plain ascii", "plain ascii"},
      {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {"a\x80z", "a" + r + "z"},            // lone continuation byte
      {"\xC0\xAF", r + r},                  // overlong '/'
      {"\xED\xA0\x80", r + r + r},          // surrogate
      {"\xF4\x90\x80\x80", r + r + r + r},  // above U+10FFFF
      {"ab\xE3\x81", "ab" + r},             // cut short at the end
      {"\xE3\x81z", r + "z"},               // cut short before ASCII
      {"\xFF\xFE", r + r},
  };
  for (const auto& c : cases) EXPECT_EQ(view::RepairUtf8(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace testing_view
