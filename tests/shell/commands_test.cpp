// The About command, and an error escaping a command half-way.
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "dialogs/AboutUnit.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "shell/DUUnit.h"
#include "tree/ScanHooks.h"

TEST_F(ShellTest, AboutGreysItsButtonWhileOpenWhicheverWayItOpensAndCloses) {
  struct Case {
    const char* what;
    bool fromButton;
    bool withOk;
  };
  const Case cases[] = {
      {"menu, OK", false, true},
      {"menu, close box", false, false},
      {"button, OK", true, true},
      {"button, close box", true, false},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool enabledWhileOpen = true, shown = false;
    RunInLoop([&] {
      Soon([&] {
        enabledWhileOpen = DuForm->AboutButton->Enabled();
        shown = AboutForm->Visible();
        if (c.withOk) {
          AboutForm->Button1->Click();
        } else {
          AboutForm->Close();
        }
      });
      if (c.fromButton) {
        DuForm->AboutButton->Click();
      } else {
        DuForm->About1->Click();
      }
      EXPECT_FALSE(AboutForm->Visible());
      EXPECT_EQ(AboutForm->ModalResult(), c.withOk ? platform::mrOk : platform::mrCancel);
    });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(DuForm->AboutButton->Enabled());
  }
}

TEST_F(ShellTest, TheAboutBoxShowsTheProgramsNameVersionAndDescription) {
  Start();
  EXPECT_EQ(AboutForm->Caption(), "About");
  EXPECT_EQ(AboutForm->Label1->Caption(), "Ombrelith Ver.1.0");
  EXPECT_EQ(AboutForm->Label2->Caption(), "Folder Size Check Utilities");
  EXPECT_FALSE(AboutForm->Label3->Caption().empty());
  EXPECT_EQ(AboutForm->ClientWidth(), 353);
  EXPECT_EQ(AboutForm->ClientHeight(), 231);
  EXPECT_EQ(AboutForm->Button1->ModalResult(), platform::mrOk);
}

TEST_F(ShellTest, AnErrorInsideTheScanIsReportedAndLeavesTheWindowUsable) {
  MakeFile("f", 10);
  Start();
  RunInLoop([&] {
    // The progress dialog's folder name fails while the scan is being prepared.
    WaitForm->FolderPathSource = []() -> std::string {
      throw platform::Exception("folder name unavailable");
    };
    Soon([&] {
      SelForm->PrimeFolder(data_.string());
      SelForm->OkButton->Click();
    });
    platform::GuardedCall([] { DuForm->Open1->Click(); });
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0], "folder name unavailable");
    EXPECT_FALSE(DuForm->Busy);
    EXPECT_FALSE(DuForm->Scanning);
    EXPECT_TRUE(DuForm->File1->Enabled());
    EXPECT_TRUE(DuForm->OpenButton1->Enabled());
    EXPECT_FALSE(WaitForm->Visible());
    EXPECT_EQ(platform::Screen->Cursor(), platform::crDefault);

    // The program goes on: the next Open scans, and the window closes.
    WaitForm->FolderPathSource = [] { return DuForm->FolderPath; };
    OpenWith(data_.string());
    EXPECT_NE(DuForm->Root, nullptr);
    DuForm->Close();
    EXPECT_TRUE(platform::Application->Terminated());
  });
}

TEST_F(ShellTest, AVanishedRememberedFolderStillOpensTheDialog) {
  const auto gone = MakeFolder("kept/gone");
  Settings().WriteString("Path", Held(gone));
  std::filesystem::remove_all(gone);
  Start();
  std::string offered;
  RunInLoop([&] {
    Soon([&] {
      offered = SelForm->SelectedFolder();
      SelForm->Button2->Click();
    });
    DuForm->OpenButton1->Click();
  });
  EXPECT_EQ(offered, (data_ / "kept").string());
  EXPECT_TRUE(DuForm->OpenButton1->Enabled());
  EXPECT_TRUE(reports_.empty());
}

TEST_F(ShellTest, APressOnTheChartWithNoTreeRunsTheOpenCommand) {
  MakeFile("f", 10);
  Start();
  bool dialogShown = false;
  RunInLoop([&] {
    Soon([&] {
      dialogShown = SelForm->Visible();
      SelForm->PrimeFolder(data_.string());
      SelForm->OkButton->Click();
    });
    DuForm->PaintBox1->OnMouseDown(DuForm->PaintBox1, platform::mbLeft, 0, 200, 200);
  });
  EXPECT_TRUE(dialogShown);
  ASSERT_NE(DuForm->Root, nullptr);
  EXPECT_EQ(DuForm->FolderPath, Held(data_));
}
