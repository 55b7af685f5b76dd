// The settings store's load and save rules, seen through the main window.
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "platform/Application.h"
#include "shell/DUUnit.h"
#include "shell/SettingsStore.h"

TEST_F(ShellTest, PlacementLoadsWhatIsStoredAndSkipsWhatIsMissing) {
  struct Case {
    const char* what;
    std::function<void(platform::TRegistry&)> store;
    int left, top, width;  // expected; width -1: the designed width
  };
  const Case cases[] = {
      {"no key", nullptr, 0, 0, -1},
      {"only Width", [](platform::TRegistry& r) { r.WriteInteger("Width", 640); }, 0, 0, 640},
      {"negative Left",
       [](platform::TRegistry& r) {
         r.WriteInteger("Left", -300);
         r.WriteInteger("Top", 25);
       },
       -300, 25, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(config_);
    std::filesystem::create_directories(config_);
    if (c.store) c.store(Settings());
    Start();
    EXPECT_EQ(DuForm->Left(), c.left);
    EXPECT_EQ(DuForm->Top(), c.top);
    if (c.width < 0) {
      EXPECT_EQ(DuForm->ClientWidth(), 538);
    } else {
      EXPECT_EQ(DuForm->Width(), c.width);
    }
    EXPECT_TRUE(reports_.empty());
    // Loading never creates the key.
    if (!c.store) {
      EXPECT_FALSE(std::filesystem::exists(config_ / "Halvardyn" / "Ombrelith.reg"));
    }
    Stop();
  }
}

TEST_F(ShellTest, AnEmptyStoredPathLeavesFolderPathEmpty) {
  Settings().WriteString("Path", "");
  Start();
  EXPECT_EQ(DuForm->FolderPath, "");
  EXPECT_TRUE(reports_.empty());
}

TEST_F(ShellTest, ALeftStoredAsAStringIsReportedByNameAndSkipsTheRestOfTheLoad) {
  Settings().WriteString("Left", "100");
  Settings().WriteInteger("Width", 700);
  Settings().WriteString("Path", "/kept/out/");
  Start();
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_NE(reports_[0].find("'Left'"), std::string::npos) << reports_[0];
  EXPECT_NE(DuForm->Width(), 700);
  EXPECT_EQ(DuForm->FolderPath, "");
  EXPECT_EQ(SavedPath, "");
  // Start-up went on: the window is complete.
  EXPECT_EQ(DuForm->Caption(), "Ombrelith");
  EXPECT_NE(DuForm->PaintBox1, nullptr);
}

TEST_F(ShellTest, ClosingMaximizedKeepsTheStoredPlacementAndNormalStoresTheCurrentOne) {
  Settings().WriteInteger("Left", 7);
  Settings().WriteInteger("Width", 600);
  Start();
  DuForm->SetWindowState(platform::wsMaximized);
  Stop();
  EXPECT_EQ(Settings().ReadInteger("Left"), 7);
  EXPECT_EQ(Settings().ReadInteger("Width"), 600);
  EXPECT_FALSE(Settings().ValueExists("Height"));

  Start();
  DuForm->SetLeft(-40);
  DuForm->SetTop(30);
  const int width = DuForm->Width(), height = DuForm->Height();
  Stop();
  EXPECT_EQ(Settings().ReadInteger("Left"), -40);
  EXPECT_EQ(Settings().ReadInteger("Top"), 30);
  EXPECT_EQ(Settings().ReadInteger("Width"), width);
  EXPECT_EQ(Settings().ReadInteger("Height"), height);
}
