// Start-up order, the first state of the main window, and closing it.
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "dialogs/AboutUnit.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "platform/EntryPoint.h"
#include "shell/DUUnit.h"
#include "shell/SettingsStore.h"
#include "tree/ScanHooks.h"

TEST_F(ShellTest, FirstStartShowsTheDesignedWindowWithNoTreeAndNoFolder) {
  Start();
  EXPECT_EQ(platform::Application->MainForm(), DuForm);
  EXPECT_EQ(DuForm->Caption(), "Ombrelith");
  EXPECT_EQ(DuForm->Left(), 0);
  EXPECT_EQ(DuForm->Top(), 0);
  EXPECT_EQ(DuForm->ClientWidth(), 538);
  EXPECT_EQ(DuForm->ClientHeight(), 531);
  EXPECT_EQ(DuForm->Root, nullptr);
  EXPECT_EQ(DuForm->Current, nullptr);
  EXPECT_FALSE(DuForm->Busy);
  EXPECT_FALSE(DuForm->Scanning);
  EXPECT_EQ(DuForm->UpMark, "");
  EXPECT_EQ(DuForm->FolderPath, "");
  EXPECT_EQ(DuForm->PromptState, 0);
  EXPECT_TRUE(reports_.empty());
  // The dialogs exist, hidden.
  ASSERT_NE(SelForm, nullptr);
  ASSERT_NE(AboutForm, nullptr);
  ASSERT_NE(WaitForm, nullptr);
  EXPECT_FALSE(SelForm->Visible());
  EXPECT_FALSE(AboutForm->Visible());
  EXPECT_FALSE(WaitForm->Visible());

  // The first paint finds no tree and starts the idle prompt's timer.
  RunInLoop([] { DuForm->Refresh(); });
  EXPECT_TRUE(DuForm->Timer1->Enabled());
}

TEST_F(ShellTest, StoredPathReachesFolderPathThoughFormCreateRunsBeforeTheFields) {
  Settings().WriteString("Path", "/some/where/");
  Start();
  EXPECT_EQ(SavedPath, "/some/where/");
  EXPECT_EQ(DuForm->FolderPath, "/some/where/");
  EXPECT_EQ(DuForm->UpMark, "");
}

TEST_F(ShellTest, CloseWithATreeDeletesItEndsTheLoopAndStoresThePlacement) {
  MakeFile("a/f", 100);
  Start();
  RunInLoop([&] {
    OpenWith(data_.string());
    ASSERT_NE(DuForm->Root, nullptr);
    DuForm->SetLeft(12);
    DuForm->Exit1Click(nullptr);
    EXPECT_TRUE(platform::Application->Terminated());
    EXPECT_EQ(DuForm->Root, nullptr);
    EXPECT_EQ(DuForm->Current, nullptr);
  });
  const int width = DuForm->Width();
  Stop();
  EXPECT_EQ(Settings().ReadInteger("Left"), 12);
  EXPECT_EQ(Settings().ReadInteger("Width"), width);
  EXPECT_EQ(Settings().ReadString("Path"), Held(data_));
  EXPECT_TRUE(reports_.empty());
}

TEST_F(ShellTest, CloseWithoutATreeEndsTheLoop) {
  Start();
  RunInLoop([] {
    DuForm->Close();
    EXPECT_TRUE(platform::Application->Terminated());
  });
}

TEST_F(ShellTest, CloseDuringAScanBecomesAStopAndASecondCloseSucceeds) {
  for (int i = 0; i < 30; ++i) MakeFile("d" + std::to_string(i) + "/f", 10);
  Start();
  bool terminatedByFirstClose = true;
  bool stoppedAfterClose = false;
  RunInLoop([&] {
    ScriptPump([&](int call) {
      if (call == 5) {
        DuForm->Close();
        terminatedByFirstClose = platform::Application->Terminated();
        stoppedAfterClose = StopRequested == 1;
      }
    });
    OpenWith(data_.string());
    EXPECT_FALSE(platform::Application->Terminated());
    DuForm->Close();
    EXPECT_TRUE(platform::Application->Terminated());
  });
  EXPECT_FALSE(terminatedByFirstClose);
  EXPECT_TRUE(stoppedAfterClose);
  EXPECT_EQ(DuForm->Root, nullptr);
  EXPECT_EQ(StopRequested, 0);
  EXPECT_FALSE(DuForm->Scanning);
}

// The whole program through its entry point: it starts, runs its loop and returns 0 when the
// main window is closed from within the loop.
TEST_F(ShellTest, WinMainRunsUntilTheMainWindowClosesAndReturnsZero) {
  bool sawWindows = false;
  Soon([&] {
    sawWindows = DuForm && SelForm && AboutForm && WaitForm && DuForm->Visible();
    DuForm->Close();
  });
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_TRUE(sawWindows);
  // The windows are gone and the placement was stored on the way out.
  EXPECT_EQ(platform::Application->MainForm(), nullptr);
  EXPECT_TRUE(Settings().ValueExists("Height"));
}
