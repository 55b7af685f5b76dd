#include "platform/Timer.h"

namespace platform {

TTimer::TTimer(std::unique_ptr<TimerDriver> driver) : driver_(std::move(driver)) {}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(unsigned intervalMs) {
  if (intervalMs == interval_) return;
  interval_ = intervalMs;
  Restart();
}

void TTimer::Restart() {
  if (!driver_) return;
  if (enabled_ && interval_ > 0)
    driver_->Start(interval_);
  else
    driver_->Stop();
}

void TTimer::Tick() {
  if (enabled_ && OnTimer) OnTimer(this);
}

}  // namespace platform
