#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "platform/HelpPath.h"

namespace fs = std::filesystem;

namespace {

constexpr char kName[] = "Ombrelith.chm";

// Layout: <root>/bin is the executable's folder, <root>/share/ombrelith the data folder.
struct SearchCase {
  const char* what;
  bool besideExe;
  bool inData;
  const char* expected;  // "bin", "data" or "" for not found
};

TEST(HelpPath, ExecutableFolderHoldsTheRunningProgram) {
  const fs::path folder = platform::ExecutableFolder();
  ASSERT_TRUE(folder.is_absolute()) << folder;
  EXPECT_TRUE(fs::is_regular_file(folder / OMBRELITH_TEST_EXE_NAME)) << folder;
}

TEST(HelpPath, SearchesBesideTheExecutableThenTheDataFolder) {
  const SearchCase cases[] = {
      {"in both", true, true, "bin"},
      {"beside the executable only", true, false, "bin"},
      {"in the data folder only", false, true, "data"},
      {"nowhere", false, false, ""},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder root;
    const fs::path bin = root.Path() / "bin";
    fs::create_directories(bin);
    const fs::path data = root.Path() / "share" / "ombrelith" / kName;
    if (c.besideExe) root.Write(fs::path("bin") / kName);
    if (c.inData) root.Write(data.lexically_relative(root.Path()));
    std::string expected = std::string(c.expected) == "bin"    ? (bin / kName).string()
                           : std::string(c.expected) == "data" ? data.string()
                                                               : std::string();
    EXPECT_EQ(platform::ResolveHelpFile(kName, bin), expected);
  }
}

TEST(HelpPath, SkipsAFolderThatBearsTheFileName) {
  TempFolder root;
  fs::create_directories(root.Path() / "bin" / kName);
  fs::path data = root.Write(fs::path("share") / "ombrelith" / kName);
  EXPECT_EQ(platform::ResolveHelpFile(kName, root.Path() / "bin"), data.string());
}

TEST(HelpPath, NeverLooksInTheCurrentFolder) {
  TempFolder root;
  fs::create_directories(root.Path() / "bin");
  root.Write(fs::path("cwd") / kName);
  const fs::path before = fs::current_path();
  fs::current_path(root.Path() / "cwd");
  const std::string found = platform::ResolveHelpFile(kName, root.Path() / "bin");
  const std::string foundWithoutFolder = platform::ResolveHelpFile(kName, fs::path());
  const std::string foundFromRelative = platform::ResolveHelpFile(kName, fs::path("."));
  fs::current_path(before);
  EXPECT_EQ(found, "");
  EXPECT_EQ(foundWithoutFolder, "");
  EXPECT_EQ(foundFromRelative, "");
}

TEST(HelpPath, RefusesNamesWithAFolderButTakesAbsolutePaths) {
  TempFolder root;
  const fs::path bin = root.Path() / "bin";
  root.Write(fs::path("bin") / "sub" / kName);
  root.Write(fs::path("share") / kName);
  for (const char* name : {"", ".", "..", "sub/Ombrelith.chm", "sub\\Ombrelith.chm",
                           "../share/Ombrelith.chm", "C:Ombrelith.chm"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(platform::ResolveHelpFile(name, bin), "");
  }
  const std::string absolute = (root.Path() / "elsewhere" / kName).string();
  EXPECT_EQ(platform::ResolveHelpFile(absolute, bin), absolute);
}

}  // namespace
