// A periodic timer. Changing Enabled or Interval to a different value restarts the countdown
// from the full interval; setting the value it already has changes nothing. The backend's
// TimerDriver only starts and stops the countdown; ticks come back through Tick().
#pragma once

#include <memory>

#include "platform/Object.h"

namespace platform {

class TimerDriver {
 public:
  virtual ~TimerDriver() = default;
  virtual void Start(unsigned intervalMs) = 0;  // (re)starts the countdown
  virtual void Stop() = 0;
};

class TTimer : public TObject {
 public:
  explicit TTimer(std::unique_ptr<TimerDriver> driver);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned intervalMs);

  TNotifyEvent OnTimer;
  // Called by the driver when the countdown ends; runs OnTimer.
  void Tick();

 private:
  void Restart();
  std::unique_ptr<TimerDriver> driver_;
  bool enabled_ = false;
  unsigned interval_ = 100;
};

}  // namespace platform
