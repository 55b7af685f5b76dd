// The shell tests' fixture (tests/shell/ShellFixture.h) on the Win32 backend: fixtures in a
// fresh folder under the user's temporary folder, the settings in the real registry key
// (cleared before and after each test), code run from the message loop through one-shot
// timers, folder paths held with the Windows separator.
#include <fstream>
#include <memory>
#include <vector>

#include "ShellFixture.h"
#include "dialogs/AboutUnit.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "platform/Backend.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "shell/DUUnit.h"
#include "shell/SettingsStore.h"
#include "shell/Startup.h"
#include "tree/ScanHooks.h"

// Last: <windows.h> defines macros named like some of the layer's constants.
#include <windows.h>

namespace fs = std::filesystem;

namespace {

void ClearSettings() {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Halvardyn\\Ombrelith");
}

// Actions waiting for the message loop, each on its own one-shot timer.
struct Pending {
  std::function<void()> action;
  std::unique_ptr<platform::TimerDriver> driver;
  bool done = false;
};
std::vector<std::unique_ptr<Pending>>& PendingActions() {
  static std::vector<std::unique_ptr<Pending>> pending;
  return pending;
}

}  // namespace

void ShellTest::SetUp() {
  char tmp[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, tmp), 0u);
  temp_ = fs::path(tmp) / ("shell_test_" + std::to_string(GetCurrentProcessId()));
  std::error_code ignored;
  fs::remove_all(temp_, ignored);
  config_ = temp_ / "config";
  data_ = temp_ / "data";
  fs::create_directories(config_);
  fs::create_directories(data_);
  ClearSettings();
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
  PendingActions().clear();
  ClearSettings();
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
  Soon([&] {
    body();
    platform::Application->Terminate();
  });
  platform::Application->Run();
}

void ShellTest::Soon(const std::function<void()>& action) {
  auto pending = std::make_unique<Pending>();
  Pending* p = pending.get();
  p->action = action;
  p->driver = platform::CurrentBackend().CreateTimerDriver([p] {
    if (p->done) return;
    p->done = true;
    p->driver->Stop();
    p->action();
  });
  p->driver->Start(1);
  PendingActions().push_back(std::move(pending));
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
  settings_ = std::make_unique<platform::TRegistry>();
  settings_->OpenKey(SettingsKeyPath(), true);
  return *settings_;
}

// The tests name fixtures with '/'; on Windows the path keeps what it is given, so they are
// turned into '\\' here, as the program's own paths are.
fs::path ShellTest::MakeFolder(const std::string& relative) {
  fs::path p = data_ / fs::path(relative).make_preferred();
  fs::create_directories(p);
  return p;
}

void ShellTest::MakeFile(const std::string& relative, std::size_t bytes) {
  fs::path p = data_ / fs::path(relative).make_preferred();
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << std::string(bytes, 'x');
}

std::string Held(const fs::path& path) {
  std::string s = path.string();
  if (s.empty() || s.back() != platform::kPathSeparator) s += platform::kPathSeparator;
  return s;
}
