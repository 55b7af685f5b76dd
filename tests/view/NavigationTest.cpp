// Presses on the chart area against a host that logs what the main window is asked to do.
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/view/ViewFixtures.h"
#include "view/Navigation.h"

namespace testing_view {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Window : public view::ChartHost {
 public:
  void SetWindowCaption(const std::string& caption) override {
    log.push_back("caption " + caption);
  }
  void RefreshWindow() override {
    // The paint that Refresh runs must already see the new folder and the busy step.
    log.push_back("refresh " + (current ? current->GetName() : std::string("-")) +
                  (busy ? " busy" : ""));
    if (failRefresh) throw std::runtime_error("paint failed");
  }
  void RunOpenCommand() override { log.push_back("open"); }
  void SetHourGlass(bool on) override { log.push_back(on ? "hourglass" : "default"); }

  void Press(int x, int y) {
    view::PaintBox1MouseDown(*this, {root.get(), current, busy, upMark}, 538, 490, x, y);
  }

  std::unique_ptr<DirEnt> root;
  DirEnt* current = nullptr;
  bool busy = false;
  std::string upMark = "unchanged";
  bool failRefresh = false;
  std::vector<std::string> log;
};

// The shown folder's entries at 538 x 490: a.bin 0..100 (file), big/ 100..300 with sub/ in
// column 1 (150..300 there) and deep/ under it in column 2, c/ 300..490.
class Navigation : public ::testing::Test {
 public:
  void SetUp() override {
    w.root = MakeRoot(kSep + "data" + kSep);
    File(*w.root, "a.bin", 100);
    big = Folder(*w.root, "big");
    File(*big, "f", 50);
    sub = Folder(*big, "sub");
    deep = Folder(*sub, "deep");
    File(*deep, "x", 150);
    File(*Folder(*w.root, "c"), "x", 190);
    SumSizes(*w.root);
    w.current = w.root.get();
  }

  Window w;
  DirEnt *big, *sub, *deep;
};

TEST_F(Navigation, DownOneTwoAndThreeColumns) {
  const struct {
    int x;
    DirEnt* Navigation::*expected;
  } cases[] = {{100, &Navigation::big}, {250, &Navigation::sub}, {400, &Navigation::deep}};
  for (const auto& c : cases) {
    DirEnt* want = this->*c.expected;
    w.current = w.root.get();
    w.upMark = "/";
    w.log.clear();
    w.Press(c.x, 200);
    EXPECT_EQ(w.current, want) << c.x;
    EXPECT_EQ(w.upMark, ". .");
    EXPECT_FALSE(w.busy);
    EXPECT_THAT(w.log, ElementsAre("hourglass", "caption Ombrelith ... " + want->GetName(),
                                   "refresh " + want->GetName() + " busy", "default"));
  }
}

// The second press of a double-click meets the chart of the folder the first one opened.
TEST_F(Navigation, SecondPressUsesTheNewChart) {
  w.Press(100, 200);
  ASSERT_EQ(w.current, big);
  w.Press(100, 200);  // big's own entries now fill column 0: sub/ covers y 122..489
  EXPECT_EQ(w.current, sub);
}

TEST_F(Navigation, PressesThatFindNothingChangeNothing) {
  const struct {
    const char* what;
    int x, y;
  } cases[] = {{"column 0's left edge", 20, 200},
               {"a file's band", 100, 50},
               {"the right-hand strip", 530, 400}};
  w.current = w.root.get();
  for (const auto& c : cases) {
    w.log.clear();
    w.Press(c.x, c.y);
    EXPECT_EQ(w.current, w.root.get()) << c.what;
    EXPECT_EQ(w.upMark, "unchanged") << c.what;
    EXPECT_THAT(w.log, ElementsAre("hourglass", "default")) << c.what;
  }
}

TEST_F(Navigation, UpFromTheScannedRootChangesNothing) {
  w.Press(19, 300);
  EXPECT_EQ(w.current, w.root.get());
  EXPECT_EQ(w.upMark, "unchanged");
  EXPECT_FALSE(w.busy);
  EXPECT_THAT(w.log, ElementsAre("hourglass", "default"));
}

// x = 19 is still the up bar.
TEST_F(Navigation, UpOneLevelOnly) {
  w.current = deep;
  w.Press(19, 200);
  EXPECT_EQ(w.current, sub);
  EXPECT_EQ(w.upMark, ". .");
  EXPECT_THAT(w.log, ElementsAre("hourglass", "caption Ombrelith ... " + sub->GetName(),
                                 "refresh " + sub->GetName() + " busy", "default"));
}

TEST(NavigationUp, ToADriveRootShowsTheSlashMark) {
  const std::string driveRoot = kSep == "/" ? "/" : "C:\\";
  Window w;
  w.root = MakeRoot(driveRoot);
  DirEnt* data = Folder(*w.root, "Windows");
  File(*data, "x", 10);
  SumSizes(*w.root);
  w.current = data;
  w.Press(5, 100);
  EXPECT_EQ(w.current, w.root.get());
  EXPECT_EQ(w.upMark, "/");
  EXPECT_THAT(w.log, ElementsAre("hourglass", "caption Ombrelith ... " + driveRoot,
                                 "refresh " + driveRoot + " busy", "default"));
}

TEST(NavigationUp, ToAnOrdinaryFolderShowsTheDotsMark) {
  Window w;
  w.root = MakeRoot(kSep + "data" + kSep);
  DirEnt* photos = Folder(*w.root, "Photos");
  w.current = photos;
  w.Press(10, 10);
  EXPECT_EQ(w.current, w.root.get());
  EXPECT_EQ(w.upMark, ". .");
}

TEST_F(Navigation, PressDuringAScanIsIgnored) {
  w.busy = true;
  w.current = nullptr;  // as the scan driver leaves it
  w.Press(100, 200);
  w.Press(5, 200);
  EXPECT_TRUE(w.busy);
  EXPECT_EQ(w.current, nullptr);
  EXPECT_THAT(w.log, IsEmpty());
}

TEST(NavigationNoTree, PressRunsTheOpenCommandOnly) {
  Window w;
  for (int x : {0, 19, 20, 300}) w.Press(x, 10);
  EXPECT_FALSE(w.busy);
  EXPECT_THAT(w.log, ElementsAre("open", "open", "open", "open"));
}

// A repaint that throws reaches the application's exception report; the chart must still
// take presses afterwards.
TEST_F(Navigation, FailedRepaintReleasesTheBusyStep) {
  w.failRefresh = true;
  EXPECT_THROW(w.Press(100, 200), std::runtime_error);
  EXPECT_FALSE(w.busy);
  EXPECT_EQ(w.log.back(), "default");
  w.failRefresh = false;
  w.Press(5, 200);
  EXPECT_EQ(w.current, w.root.get());
}

}  // namespace
}  // namespace testing_view
