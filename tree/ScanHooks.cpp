// The scan's globals and hooks.
#include "tree/ScanHooks.h"

#include <limits>

std::uint8_t StopRequested = 0;
std::int32_t EntriesCounted = 0;
std::int32_t EntriesScanned = 0;

namespace {
std::function<void()> pumpHook;
std::function<void(std::int32_t)> progressHook;
}  // namespace

void PumpMessages() {
  if (pumpHook) pumpHook();
}

void SetProgress(std::int32_t percent) {
  if (progressHook) progressHook(percent);
}

void SetPumpHook(std::function<void()> hook) {
  pumpHook = std::move(hook);
}

void SetProgressHook(std::function<void(std::int32_t)> hook) {
  progressHook = std::move(hook);
}

std::int32_t ProgressPercent(std::int32_t scanned, std::int32_t counted) {
  // A folder that was empty when counted and gained entries since: everything counted is done.
  if (counted == 0) return 100;
  std::int64_t percent = static_cast<std::int64_t>(scanned) * 100 / counted;
  if (percent > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (percent < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(percent);
}
