// The chart's calls on a recording canvas: the band thresholds, both passes, the geometry of
// the design size, and what a paint does to the idle prompt's timer.
#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/view/RecordingCanvas.h"
#include "tests/view/ViewFixtures.h"
#include "view/ChartDrawing.h"

namespace testing_view {
namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> Paint(int width, int height, DirEnt* root, DirEnt* current,
                               platform::TTimer& timer) {
  RecordingCanvas box(width, height);
  view::FormPaint({box.canvas, width, height}, root, current, ". .", timer);
  return box.Lines();
}

std::string Box(int x1, int y1, int x2, int y2) {
  return "Rectangle " + std::to_string(x1) + "," + std::to_string(y1) + "," + std::to_string(x2) +
         "," + std::to_string(y2) + " pen=FFFF00 brush=000000";
}

std::string Label(int x, int y, const std::string& text) {
  return "TextOut " + std::to_string(x) + "," + std::to_string(y) + " '" + text +
         "' font=FFFF00 brush=000000";
}

// Background, up bar and up mark of a 538 x `height` chart.
std::vector<std::string> Frame(int height) {
  return {"FillRect 0,0,538," + std::to_string(height) + " brush=000000", Box(0, 0, 20, height),
          "TextOut 5," + std::to_string(height / 2 - 5) + " '. .' font=0000FF brush=000000"};
}

struct BandCase {
  const char* name;
  std::function<void(DirEnt&)> build;  // entries of the shown folder
  std::vector<std::string> bands;      // the calls after the frame, both passes
};

// The shown folder's size is 512 bytes and the chart 512 px high, so a band's height in
// pixels is its entry's size in bytes.
TEST(ChartDrawing, BandThresholdsAndPasses) {
  const std::vector<BandCase> cases = {
      {"4.0 takes no room",
       [](DirEnt& d) {
         File(d, "p", 4.0);
         File(d, "n", 100);
         File(d, "r", 408);
       },
       {Box(20, 0, 189, 100), Label(23, 45, "n : 0K"), Box(20, 100, 189, 508),
        Label(23, 299, "r : 0K"), Label(23, 45, "n : 0K"), Label(23, 299, "r : 0K")}},
      {"4.5 is drawn 4 px tall without a label",
       [](DirEnt& d) {
         File(d, "p", 4.5);
         File(d, "n", 100);
         File(d, "r", 407.5);
       },
       {Box(20, 0, 189, 4), Box(20, 4, 189, 104), Label(23, 49, "n : 0K"), Box(20, 104, 189, 511),
        Label(23, 302, "r : 0K"), Label(23, 49, "n : 0K"), Label(23, 302, "r : 0K")}},
      {"12.0 is drawn, not labelled, its folder not expanded",
       [](DirEnt& d) {
         File(*Folder(d, "p"), "x", 12.0);
         File(d, "n", 100);
         File(d, "r", 400);
       },
       {Box(20, 0, 189, 12), Box(20, 12, 189, 112), Label(23, 57, "n : 0K"), Box(20, 112, 189, 512),
        Label(23, 307, "r : 0K"), Label(23, 57, "n : 0K"), Label(23, 307, "r : 0K")}},
      {"12.5 is labelled at its top + 1 and its folder expanded into 12 px",
       [](DirEnt& d) {
         File(*Folder(d, "p"), "x", 12.5);
         File(d, "n", 100);
         File(d, "r", 399.5);
       },
       {Box(20, 0, 189, 12), Label(23, 1, "p : 0K"), Box(189, 0, 358, 12), Box(20, 12, 189, 112),
        Label(23, 57, "n : 0K"), Box(20, 112, 189, 511), Label(23, 306, "r : 0K"),
        Label(23, 1, "p : 0K"), Label(23, 57, "n : 0K"), Label(23, 306, "r : 0K")}},
      {"a folder's only entry fills its span; labels come depth first in both passes",
       [](DirEnt& d) {
         File(*Folder(d, "p"), "x", 256);
         File(d, "r", 256);
       },
       {Box(20, 0, 189, 256), Label(23, 123, "p : 0K"), Box(189, 0, 358, 256),
        Label(192, 123, "x : 0K"), Box(20, 256, 189, 512), Label(23, 379, "r : 0K"),
        Label(23, 123, "p : 0K"), Label(192, 123, "x : 0K"), Label(23, 379, "r : 0K")}},
      {"a folder whose entries are all 4 px or less leaves its next column black",
       [](DirEnt& d) {
         DirEnt* p = Folder(d, "p");
         for (int i = 0; i < 128; ++i) File(*p, std::to_string(i) + ".f", 2);
         File(d, "r", 256);
       },
       {Box(20, 0, 189, 256), Label(23, 123, "p : 0K"), Box(20, 256, 189, 512),
        Label(23, 379, "r : 0K"), Label(23, 123, "p : 0K"), Label(23, 379, "r : 0K")}},
      {"an empty folder shows the frame only", [](DirEnt&) {}, {}},
      {"a folder of size 0 holding entries shows the frame only",
       [](DirEnt& d) {
         File(d, "e1", 0);
         Folder(d, "e2");
       },
       {}},
  };
  for (const BandCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto root = MakeRoot(kSep + "d" + kSep);
    c.build(*root);
    SumSizes(*root);
    LoggedTimer t;
    std::vector<std::string> expected = Frame(512);
    expected.insert(expected.end(), c.bands.begin(), c.bands.end());
    EXPECT_THAT(Paint(538, 512, root.get(), root.get(), t.timer), ElementsAreArray(expected));
  }
}

// At the design size the columns start at 20, 189, 358 and 527 and the up mark sits at
// (5, 240); a chain of folders shows four columns and no fifth.
TEST(ChartDrawing, FourColumnsAtTheDesignSize) {
  auto root = MakeRoot(kSep + "d" + kSep);
  DirEnt* a = Folder(*root, "a");
  DirEnt* b = Folder(*a, "b");
  DirEnt* c = Folder(*b, "c");
  DirEnt* d = Folder(*c, "d");
  File(*d, "e", 3.0 * (1 << 29));
  SumSizes(*root);
  LoggedTimer t;
  t.timer.SetEnabled(true);
  std::vector<std::string> expected = Frame(490);
  const std::vector<std::string> picture = {
      Box(20, 0, 189, 490),        Label(23, 240, "a : 1.5G"),  Box(189, 0, 358, 490),
      Label(192, 240, "b : 1.5G"), Box(358, 0, 527, 490),       Label(361, 240, "c : 1.5G"),
      Box(527, 0, 696, 490),       Label(530, 240, "d : 1.5G"), Label(23, 240, "a : 1.5G"),
      Label(192, 240, "b : 1.5G"), Label(361, 240, "c : 1.5G"), Label(530, 240, "d : 1.5G")};
  expected.insert(expected.end(), picture.begin(), picture.end());
  EXPECT_THAT(Paint(538, 490, root.get(), root.get(), t.timer), ElementsAreArray(expected));
  EXPECT_FALSE(t.timer.Enabled());
  EXPECT_EQ(t.timer.Interval(), 100u);
}

TEST(ChartDrawing, NoTreeDrawsNothingAndStartsThePromptTimer) {
  LoggedTimer t;
  t.timer.SetInterval(3000);
  t.log.clear();
  EXPECT_THAT(Paint(538, 490, nullptr, nullptr, t.timer), ::testing::IsEmpty());
  EXPECT_TRUE(t.timer.Enabled());
  EXPECT_EQ(t.timer.Interval(), 3000u);
  EXPECT_THAT(t.log, ElementsAreArray({"start 3000"}));
}

// During a scan the tree exists but nothing is shown yet.
TEST(ChartDrawing, TreeWithoutShownFolderDrawsTheFrameAndStopsTheTimer) {
  auto root = MakeRoot(kSep + "d" + kSep);
  File(*root, "big", 1000);
  LoggedTimer t;
  t.timer.SetEnabled(true);
  t.timer.SetInterval(1000);
  EXPECT_THAT(Paint(538, 490, root.get(), nullptr, t.timer), ElementsAreArray(Frame(490)));
  EXPECT_FALSE(t.timer.Enabled());
  EXPECT_EQ(t.timer.Interval(), 100u);
}

}  // namespace
}  // namespace testing_view
