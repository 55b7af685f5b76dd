// The idle prompt's ticks on two recording surfaces (PaintBox2 drawn, PaintBox1 copied to),
// and how paints switch its timer.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/view/RecordingCanvas.h"
#include "tests/view/ViewFixtures.h"
#include "view/ChartDrawing.h"
#include "view/IdlePrompt.h"

namespace testing_view {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The main window's outer size at its design client size of 538 x 531.
constexpr int kWindowWidth = 554;
constexpr int kWindowHeight = 590;

struct Prompt {
  Prompt(int width, int height) : promptBox(width, height), chartBox(width, height) {}

  void Tick(const DirEnt* root = nullptr) {
    view::Timer1Timer({promptBox.canvas, promptBox.SurfaceWidth(), promptBox.SurfaceHeight()},
                      chartBox.canvas, kWindowWidth, kWindowHeight, root, state, t.timer);
  }
  void PaintWindow(DirEnt* root) {
    view::FormPaint({chartBox.canvas, chartBox.SurfaceWidth(), chartBox.SurfaceHeight()}, root,
                    root, ". .", t.timer);
  }
  void ClearCalls() {
    promptBox.calls.clear();
    chartBox.calls.clear();
  }

  RecordingCanvas promptBox;
  RecordingCanvas chartBox;
  LoggedTimer t;
  std::int32_t state = 0;
};

TEST(IdlePrompt, FourPhases) {
  const std::string clear = "FillRect 0,0,554,590 brush=000000";
  const struct {
    int width, height;
    std::string ready, clickHere;
  } sizes[] = {
      {538, 490, "TextOut 239,240 'Ready' font=0000FF brush=000000",
       "TextOut 229,240 'click here' font=008000 brush=000000"},
      // Narrower than 60 and 80 px, the texts start left of the box.
      {50, 20, "TextOut -5,5 'Ready' font=0000FF brush=000000",
       "TextOut -15,5 'click here' font=008000 brush=000000"},
  };
  for (const auto& s : sizes) {
    SCOPED_TRACE(s.width);
    Prompt p(s.width, s.height);
    p.PaintWindow(nullptr);
    const std::vector<std::vector<std::string>> drawn = {
        {clear, s.ready}, {clear}, {clear, s.clickHere}, {clear}, {clear, s.ready}};
    const std::int32_t nextState[] = {1, 2, 3, 0, 1};
    const unsigned nextInterval[] = {1000, 1000, 1000, 3000, 1000};
    const std::string copy = "CopyRect 0,0," + std::to_string(s.width) + "," +
                             std::to_string(s.height) + " from 0,0," + std::to_string(s.width) +
                             "," + std::to_string(s.height);
    for (int tick = 0; tick < 5; ++tick) {
      p.ClearCalls();
      p.Tick();
      EXPECT_THAT(p.promptBox.Lines(), ElementsAreArray(drawn[tick])) << tick;
      EXPECT_THAT(p.chartBox.Lines(), ElementsAre(copy)) << tick;
      EXPECT_EQ(p.chartBox.calls[0].from, &p.promptBox);
      EXPECT_EQ(p.state, nextState[tick]);
      EXPECT_EQ(p.t.timer.Interval(), nextInterval[tick]);
    }
  }
}

TEST(IdlePrompt, TickWithATreeDoesNothing) {
  auto root = MakeRoot(kSep + "d" + kSep);
  Prompt p(538, 490);
  p.state = 2;
  p.t.timer.SetEnabled(true);
  p.t.timer.SetInterval(3000);
  p.t.log.clear();
  p.Tick(root.get());
  EXPECT_THAT(p.promptBox.calls, IsEmpty());
  EXPECT_THAT(p.chartBox.calls, IsEmpty());
  EXPECT_EQ(p.state, 2);
  EXPECT_EQ(p.t.timer.Interval(), 3000u);
  EXPECT_THAT(p.t.log, IsEmpty());
}

// A paint with a tree stops the prompt; a later paint without one starts it again at the
// stored phase, 100 ms later.
TEST(IdlePrompt, TimerOffAndOnResumesTheStoredPhase) {
  auto root = MakeRoot(kSep + "d" + kSep);
  Prompt p(538, 490);
  p.PaintWindow(nullptr);
  p.Tick();
  p.Tick();
  ASSERT_EQ(p.state, 2);
  p.PaintWindow(root.get());
  EXPECT_FALSE(p.t.timer.Enabled());
  EXPECT_EQ(p.t.timer.Interval(), 100u);
  p.t.log.clear();
  p.PaintWindow(nullptr);
  EXPECT_THAT(p.t.log, ElementsAre("start 100"));
  p.ClearCalls();
  p.Tick();
  EXPECT_EQ(p.promptBox.calls.back().text, "click here");
  EXPECT_EQ(p.state, 3);
}

TEST(IdlePrompt, RepaintWithoutATreeDoesNotMoveTheNextTick) {
  Prompt p(538, 490);
  p.PaintWindow(nullptr);
  p.Tick();
  p.t.log.clear();
  p.PaintWindow(nullptr);
  p.PaintWindow(nullptr);
  EXPECT_THAT(p.t.log, IsEmpty());
  EXPECT_TRUE(p.t.timer.Enabled());
  EXPECT_EQ(p.t.timer.Interval(), 1000u);
  EXPECT_EQ(p.state, 1);
  EXPECT_THAT(p.chartBox.calls.size(), 1u);  // the first tick's copy; paints drew nothing
}

}  // namespace
}  // namespace testing_view
