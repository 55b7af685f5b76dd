// Shared set-up for the scan tests: globals and hooks reset around every test, a scripted
// pump that can raise the stop flag on a given call, and the progress values recorded.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "tree/ScanHooks.h"
#include "tree/SizeTree.h"

class ScanTest : public ::testing::Test {
 public:
  // Folder({"a", "b"}) is the folder path "R/a/b/" of the fake tree, with the platform's separator.
  static std::string Folder(std::initializer_list<const char*> parts) {
    std::string path = "R";
    path.push_back(platform::kPathSeparator);
    for (const char* part : parts) {
      path += part;
      path.push_back(platform::kPathSeparator);
    }
    return path;
  }

 protected:
  void SetUp() override {
    StopRequested = 0;
    EntriesCounted = 0;
    EntriesScanned = 0;
    SetPumpHook([this] {
      ++pumps;
      if (onPump) onPump(pumps);
    });
    SetProgressHook([this](std::int32_t percent) { progress.push_back(percent); });
  }
  void TearDown() override {
    SetPumpHook(nullptr);
    SetProgressHook(nullptr);
    platform::SetFileSystem(nullptr);
    StopRequested = 0;
  }

  int pumps = 0;
  std::function<void(int)> onPump;
  std::vector<std::int32_t> progress;
};

// The sub-folder of `dir` at `index`; fails the test when it is not a folder.
inline DirEnt* SubDir(DirEnt* dir, std::int32_t index) {
  ObjEnt* entry = dir->GetEntry(index);
  EXPECT_NE(entry, nullptr);
  EXPECT_EQ(entry ? entry->IsFile() : 1, 0);
  return dynamic_cast<DirEnt*>(entry);
}
