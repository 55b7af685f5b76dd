// The Open command and the scan driver, with the folder dialog answered from the message loop
// and the scan's pump replaced by scripts that act at a given entry.
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "shell/DUUnit.h"
#include "shell/SettingsStore.h"
#include "tree/ScanHooks.h"

namespace {

// The state every scan must leave behind, however it ended.
void ExpectIdleAfterScan() {
  EXPECT_FALSE(DuForm->Busy);
  EXPECT_FALSE(DuForm->Scanning);
  EXPECT_TRUE(DuForm->File1->Enabled());
  EXPECT_TRUE(DuForm->OpenButton1->Enabled());
  EXPECT_FALSE(WaitForm->Visible());
  EXPECT_EQ(platform::Screen->Cursor(), platform::crDefault);
  EXPECT_EQ(StopRequested, 0);
}

}  // namespace

TEST_F(ShellTest, OpeningAFolderScansItAndShowsItsChart) {
  MakeFile("a/one", 1000);
  MakeFile("a/two", 3000);
  MakeFile("b", 500);
  Start();
  // What the window looks like while the scan runs.
  bool busy = false, scanning = false, fileMenu = true, openButton = true, waitShown = false;
  DirEnt sentinel("not set");
  DirEnt* currentDuringScan = &sentinel;
  platform::TCursor cursor = platform::crDefault;
  RunInLoop([&] {
    ScriptPump([&](int call) {
      if (call != 1) return;
      busy = DuForm->Busy;
      scanning = DuForm->Scanning;
      fileMenu = DuForm->File1->Enabled();
      openButton = DuForm->OpenButton1->Enabled();
      waitShown = WaitForm->Visible();
      currentDuringScan = DuForm->Current;
      cursor = platform::Screen->Cursor();
    });
    OpenWith((data_ / "a").string());
  });
  EXPECT_TRUE(busy);
  EXPECT_TRUE(scanning);
  EXPECT_FALSE(fileMenu);
  EXPECT_FALSE(openButton);
  EXPECT_TRUE(waitShown);
  EXPECT_EQ(currentDuringScan, nullptr);
  EXPECT_EQ(cursor, platform::crHourGlass);

  ExpectIdleAfterScan();
  ASSERT_NE(DuForm->Root, nullptr);
  EXPECT_EQ(DuForm->Current, DuForm->Root.get());
  EXPECT_EQ(DuForm->Root->GetName(), Held(data_ / "a"));
  EXPECT_EQ(DuForm->Root->GetSize(), 4000.0);
  EXPECT_EQ(DuForm->Root->GetCount(), 2);
  EXPECT_EQ(DuForm->FolderPath, Held(data_ / "a"));
  EXPECT_EQ(DuForm->UpMark, ". .");
  EXPECT_EQ(DuForm->Caption(), "Ombrelith ... " + Held(data_ / "a"));
  EXPECT_EQ(Settings().ReadString("Path"), Held(data_ / "a"));
  EXPECT_FALSE(DuForm->Timer1->Enabled());
  EXPECT_TRUE(reports_.empty());
}

TEST_F(ShellTest, TheDriveRootKeepsItsSeparatorAndTakesTheRootUpMark) {
  Start();
  RunInLoop([&] {
    // Stopped at once: only the naming matters here, not a scan of the whole disk.
    ScriptPump([](int call) {
      if (call == 1) WaitForm->Button1Click(nullptr);
    });
    OpenWith("/");
  });
  EXPECT_EQ(DuForm->FolderPath, "/");
  EXPECT_EQ(DuForm->UpMark, "/");
  EXPECT_EQ(DuForm->Caption(), "Ombrelith ... /");
  EXPECT_EQ(Settings().ReadString("Path"), "/");  // stored although stopped
  EXPECT_EQ(DuForm->Root, nullptr);
  ExpectIdleAfterScan();
}

TEST_F(ShellTest, CancelChangesNothingButTheTimersInterval) {
  MakeFile("f", 10);
  Start();
  RunInLoop([&] {
    OpenWith(data_.string());
    DirEnt* root = DuForm->Root.get();
    DirEnt* current = DuForm->Current;
    const std::string caption = DuForm->Caption();
    DuForm->Timer1->SetInterval(1000);
    Settings().WriteString("Path", "/elsewhere/");

    OpenWith("");
    EXPECT_EQ(DuForm->Root.get(), root);
    EXPECT_EQ(DuForm->Current, current);
    EXPECT_EQ(DuForm->Caption(), caption);
    EXPECT_EQ(DuForm->FolderPath, Held(data_));
    EXPECT_EQ(DuForm->UpMark, ". .");
    EXPECT_EQ(DuForm->Timer1->Interval(), 100u);
    EXPECT_EQ(Settings().ReadString("Path"), "/elsewhere/");
    EXPECT_TRUE(DuForm->OpenButton1->Enabled());
  });
}

TEST_F(ShellTest, ASecondScanDropsTheFirstTreeBeforeCountingAndAStopLeavesNoTree) {
  MakeFile("first/f", 10);
  MakeFile("second/g", 10);
  MakeFile("second/h", 10);
  Start();
  std::string rootAtFirstPump;
  bool currentNullAtFirstPump = false;
  RunInLoop([&] {
    OpenWith((data_ / "first").string());
    ASSERT_NE(DuForm->Root, nullptr);
    ScriptPump([&](int call) {
      if (call != 1) return;
      rootAtFirstPump = DuForm->Root ? DuForm->Root->GetName() : "";
      currentNullAtFirstPump = DuForm->Current == nullptr;
      WaitForm->Button1Click(nullptr);
    });
    OpenWith((data_ / "second").string());
  });
  EXPECT_EQ(rootAtFirstPump, Held(data_ / "second"));
  EXPECT_TRUE(currentNullAtFirstPump);
  EXPECT_EQ(DuForm->Root, nullptr);
  EXPECT_EQ(DuForm->Current, nullptr);
  EXPECT_EQ(DuForm->Caption(), "Ombrelith ... " + Held(data_ / "second"));
  ExpectIdleAfterScan();
}

TEST_F(ShellTest, StopDuringCountingStillRunsTheShortSizingPassAndKeepsNothing) {
  for (int i = 0; i < 20; ++i) MakeFile("d" + std::to_string(i) + "/f", 10);
  Start();
  bool waitShownDuringSizing = false;
  int sizingReports = 0;
  RunInLoop([&] {
    ScriptPump([&](int call) {
      if (call == 3) {
        ASSERT_EQ(EntriesScanned, 0);  // still counting
        WaitForm->Button1Click(nullptr);
      }
    });
    SetProgressHook([&](std::int32_t) {
      ++sizingReports;
      waitShownDuringSizing = WaitForm->Visible();
    });
    OpenWith(data_.string());
  });
  EXPECT_GT(sizingReports, 0);
  EXPECT_TRUE(waitShownDuringSizing);
  EXPECT_EQ(DuForm->Root, nullptr);
  EXPECT_EQ(DuForm->Current, nullptr);
  ExpectIdleAfterScan();
  EXPECT_EQ(Settings().ReadString("Path"), Held(data_));
}

TEST_F(ShellTest, TheProgressDialogGetsZeroFirstAndAHundredLast) {
  MakeFile("a", 1);
  MakeFile("b", 1);
  MakeFile("c/d", 1);
  Start();
  std::vector<std::int32_t> sizing;
  int barAtFirstPump = -1, callsAtFirstPump = -1, callsBefore = 0;
  RunInLoop([&] {
    WaitForm->ProgressBar1->SetPosition(57);
    callsBefore = WaitForm->CallCount;
    ScriptPump([&](int call) {
      if (call != 1) return;
      barAtFirstPump = WaitForm->ProgressBar1->Position();
      callsAtFirstPump = WaitForm->CallCount - callsBefore;
    });
    SetProgressHook([&](std::int32_t p) {
      sizing.push_back(p);
      WaitForm->SetProgress(p);
    });
    OpenWith(data_.string());
  });
  // Before the counting pass: exactly one call, with 0.
  EXPECT_EQ(barAtFirstPump, 0);
  EXPECT_EQ(callsAtFirstPump, 1);
  // In between only the sizing pass reports; the driver adds its final call.
  ASSERT_FALSE(sizing.empty());
  EXPECT_EQ(WaitForm->CallCount - callsBefore, static_cast<int>(sizing.size()) + 2);
}

TEST_F(ShellTest, AFailingFolderStoreLetsTheScanFinishAndIsReportedAfterIt) {
  MakeFile("f", 10);
  Start();
  // A settings folder that can't be made: XDG_CONFIG_HOME names a plain file.
  const auto blocker = temp_ / "not-a-folder";
  MakeFile("../not-a-folder", 1);
  ::setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
  bool scanningAtReport = true;
  bool treeAtReport = false;
  platform::Application->SetExceptionHook([&](const std::string&, const std::string& text) {
    reports_.push_back(text);
    scanningAtReport = DuForm->Scanning;
    treeAtReport = DuForm->Root != nullptr;
  });
  RunInLoop([&] { OpenWith(data_.string()); });
  ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_NE(reports_[0].find("'Path'"), std::string::npos) << reports_[0];
  EXPECT_FALSE(scanningAtReport);
  EXPECT_TRUE(treeAtReport);
  ASSERT_NE(DuForm->Root, nullptr);
  EXPECT_EQ(DuForm->Current, DuForm->Root.get());
  ExpectIdleAfterScan();
}
