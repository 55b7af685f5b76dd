#include "ShellFixture.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <fstream>

#include "dialogs/AboutUnit.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "shell/DUUnit.h"
#include "shell/SettingsStore.h"
#include "shell/Startup.h"
#include "tree/ScanHooks.h"

namespace fs = std::filesystem;

void ShellTest::SetUp() {
  char pattern[] = "/tmp/shell_test_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  temp_ = pattern;
  config_ = temp_ / "config";
  data_ = temp_ / "data";
  fs::create_directories(config_);
  fs::create_directories(data_);
  ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
  SavedPath.clear();
  StopRequested = 0;
  platform::Application->SetExceptionHook(
      [this](const std::string&, const std::string& text) { reports_.push_back(text); });
}

void ShellTest::TearDown() {
  Stop();
  settings_.reset();
  SetPumpHook({});
  SetProgressHook({});
  platform::Application->SetExceptionHook({});
  platform::Screen->SetCursor(platform::crDefault);
  std::error_code ignored;
  fs::remove_all(temp_, ignored);
}

void ShellTest::Start() {
  CreateApplicationWindows();
  started_ = true;
}

void ShellTest::Stop() {
  if (!started_) return;
  started_ = false;
  platform::Application->DestroyForms();
}

void ShellTest::RunInLoop(const std::function<void()>& body) {
  QTimer::singleShot(0, [&] {
    body();
    platform::Application->Terminate();
  });
  platform::Application->Run();
}

void ShellTest::Soon(const std::function<void()>& action) {
  QTimer::singleShot(0, action);
}

void ShellTest::OpenWith(const std::string& folder) {
  Soon([folder] {
    if (folder.empty()) {
      SelForm->Button2->Click();
    } else {
      SelForm->PrimeFolder(folder);
      SelForm->OkButton->Click();
    }
  });
  DuForm->Open1Click(nullptr);
}

void ShellTest::ScriptPump(const std::function<void(int)>& script) {
  pumpCalls_ = 0;
  SetPumpHook([this, script] { script(++pumpCalls_); });
}

platform::TRegistry& ShellTest::Settings() {
  // A fresh object each time, so every read sees what the program stored last.
  settings_ = std::make_unique<platform::TRegistry>();
  settings_->OpenKey(SettingsKeyPath(), true);
  return *settings_;
}

fs::path ShellTest::MakeFolder(const std::string& relative) {
  fs::path p = data_ / relative;
  fs::create_directories(p);
  return p;
}

void ShellTest::MakeFile(const std::string& relative, std::size_t bytes) {
  fs::path p = data_ / relative;
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << std::string(bytes, 'x');
}

std::string Held(const fs::path& path) {
  std::string s = path.string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}
