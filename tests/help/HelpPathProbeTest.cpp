// Runs a copy of the probe executable from a temporary install layout, with the current folder
// holding a planted help file, and reads back what the real executable-folder lookup found.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::string RunProbe(const fs::path& probe, const fs::path& cwd) {
  const std::string command = "cd '" + cwd.string() + "' && '" + probe.string() + "' Ombrelith.chm";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "<popen failed>";
  std::string output;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  int status = pclose(pipe);
  return status == 0 ? output : "<probe failed>";
}

TEST(HelpPathProbe, FindsTheFileOfTheInstallNotTheOnePlantedInTheCurrentFolder) {
  struct Case {
    const char* what;
    bool besideExe;
    bool inData;
    const char* expected;
  };
  const Case cases[] = {
      {"planted only", false, false, ""},
      {"data folder and planted", false, true, "share/ombrelith/Ombrelith.chm"},
      {"beside the executable, data folder and planted", true, true, "bin/Ombrelith.chm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder root;
    fs::create_directories(root.Path() / "bin");
    const fs::path probe = root.Path() / "bin" / "probe";
    fs::copy_file(OMBRELITH_HELP_PROBE, probe);
    root.Write("cwd/Ombrelith.chm");
    if (c.besideExe) root.Write("bin/Ombrelith.chm");
    if (c.inData) root.Write("share/ombrelith/Ombrelith.chm");
    const std::string expected =
        std::string(c.expected).empty() ? "" : (root.Path() / c.expected).string();
    EXPECT_EQ(RunProbe(probe, root.Path() / "cwd"), expected);
  }
}

}  // namespace
