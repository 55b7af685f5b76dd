// TTimer's restart rules over a driver that records what it is told, and a real QTimer tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestForm.h"
#include "platform/Timer.h"

namespace platform::testing {
namespace {

class RecordingDriver : public TimerDriver {
 public:
  explicit RecordingDriver(std::vector<std::string>& log) : log_(log) {}
  void Start(unsigned ms) override { log_.push_back("start " + std::to_string(ms)); }
  void Stop() override { log_.push_back("stop"); }

 private:
  std::vector<std::string>& log_;
};

TEST(TimerTest, SameValueChangesNothingAndAChangeRestartsTheCountdown) {
  struct Step {
    const char* what;
    bool enable;
    unsigned interval;
    std::vector<std::string> expect;
  };
  const std::vector<Step> steps = {
      {"switch on", true, 100, {"start 100"}},
      {"switch on again", true, 100, {}},
      {"same interval", true, 100, {}},
      {"new interval while on", true, 1000, {"start 1000"}},
      {"switch off", false, 1000, {"stop"}},
      {"new interval while off", false, 3000, {"stop"}},
      {"switch on with the new interval", true, 3000, {"start 3000"}},
  };
  std::vector<std::string> log;
  TTimer timer(std::make_unique<RecordingDriver>(log));
  timer.SetInterval(100);  // the default: nothing happens
  EXPECT_TRUE(log.empty());
  for (const Step& s : steps) {
    log.clear();
    timer.SetEnabled(s.enable);
    timer.SetInterval(s.interval);
    EXPECT_EQ(log, s.expect) << s.what;
  }
}

TEST(TimerTest, TicksOnlyWhileEnabled) {
  std::vector<std::string> log;
  TTimer timer(std::make_unique<RecordingDriver>(log));
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.Tick();
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  timer.Tick();
  EXPECT_EQ(ticks, 1);
}

TEST(TimerTest, DescribedTimerTicksFromTheEventLoopAndAnExceptionIsReported) {
  ReportRecorder reports;
  int ticks = 0;
  auto form = MakeForm(R"({"Name": "T", "Components": [
      {"Kind": "TTimer", "Name": "Timer1", "Enabled": false, "Interval": 20,
       "Events": {"OnTimer": "Timer1Timer"}}]})",
                       [&](TestForm& f) {
                         f.RegisterHandler("Timer1Timer", [&](TObject*) {
                           if (++ticks == 1) throw Exception("tick failed");
                         });
                       });
  TTimer& timer = form->Component<TTimer>("Timer1");
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 20u);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  ASSERT_EQ(reports.messages.size(), 1u);
  EXPECT_EQ(reports.messages[0], "tick failed");
  timer.SetEnabled(false);
  const int seen = ticks;
  PumpUntil([] { return false; }, 80);
  EXPECT_EQ(ticks, seen);
}

}  // namespace
}  // namespace platform::testing
