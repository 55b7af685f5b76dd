// The scan's globals and its two ways out to the window system. The passes pump the message
// queue once per listed entry and report a percentage once per entry they read; the shell
// wires both hooks to the real application and progress dialog, tests wire them to scripts.
// With no hook installed both do nothing.
#pragma once

#include <cstdint>
#include <functional>

// Set by a handler that runs during a pump (Stop, close); the passes only read it.
extern std::uint8_t StopRequested;
// Entries listed by the counting pass (depths 0 to 3) and those of them the sizing pass has
// read so far. Both saturate at the 32-bit maximum.
extern std::int32_t EntriesCounted;
extern std::int32_t EntriesScanned;

// Dispatches every pending message of the window system (the pump hook).
void PumpMessages();
// Hands the sizing pass's percentage to the progress dialog (the progress hook).
void SetProgress(std::int32_t percent);

void SetPumpHook(std::function<void()> hook);
void SetProgressHook(std::function<void(std::int32_t)> hook);

// EntriesScanned × 100 / EntriesCounted, truncated toward zero, computed without overflow and
// clamped to the 32-bit range. With nothing counted it is 100.
std::int32_t ProgressPercent(std::int32_t scanned, std::int32_t counted);
