// A fresh application per test: the settings file in a temporary XDG_CONFIG_HOME, the four
// windows created in the program's order, the exception report recorded, and helpers to run
// code inside the message loop, to answer the folder dialog and to script the scan's pump.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Registry.h"

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the four windows as WinMain does and wires the scan's hooks.
  void Start();
  // Destroys the windows (the main window's FormDestroy saves the placement).
  void Stop();
  // Runs `body` inside Application->Run, as a handler of the running program would run.
  void RunInLoop(const std::function<void()>& body);
  // Runs `action` from the message loop as soon as the next modal loop (or pump) dispatches.
  static void Soon(const std::function<void()>& action);
  // Open1Click with the folder dialog answered: OK at `folder`, or Cancel when empty.
  void OpenWith(const std::string& folder);
  // The pump hook: `script` runs at every pump with its 1-based call number.
  void ScriptPump(const std::function<void(int call)>& script);

  // The settings key, opened (and created) afresh outside the program.
  platform::TRegistry& Settings();

  std::filesystem::path MakeFolder(const std::string& relative);
  void MakeFile(const std::string& relative, std::size_t bytes);

  std::filesystem::path temp_;    // removed after the test
  std::filesystem::path config_;  // XDG_CONFIG_HOME
  std::filesystem::path data_;    // fixture folders
  std::vector<std::string> reports_;
  int pumpCalls_ = 0;

 private:
  std::unique_ptr<platform::TRegistry> settings_;
  bool started_ = false;
};

// `path` as the program holds a folder: with its trailing separator.
std::string Held(const std::filesystem::path& path);
