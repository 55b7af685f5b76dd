#include "view/IdlePrompt.h"

namespace view {
namespace {

struct PromptPhase {
  const char* text;  // null: the phase shows nothing
  platform::TColor color;
  int leftOfCentre;  // the text starts this far left of the middle
  std::int32_t next;
  unsigned intervalMs;  // until the tick that carries out `next`
};

constexpr PromptPhase kPhases[] = {
    {"Ready", platform::clRed, 30, 1, 1000},
    {nullptr, platform::clBlack, 0, 2, 1000},
    {"click here", platform::clGreen, 40, 3, 1000},
    {nullptr, platform::clBlack, 0, 0, 3000},
};
constexpr std::int32_t kPhaseCount = sizeof(kPhases) / sizeof(kPhases[0]);

}  // namespace

void Timer1Timer(PaintArea prompt, platform::TCanvas& chart, int windowWidth, int windowHeight,
                 const DirEnt* root, std::int32_t& promptState, platform::TTimer& timer) {
  if (root != nullptr) return;
  platform::TCanvas& canvas = prompt.canvas;
  canvas.Brush.Color = platform::clBlack;
  canvas.FillRect({0, 0, windowWidth, windowHeight});
  // Only this function writes the phase; a value out of range starts the cycle afresh.
  const bool known = promptState >= 0 && promptState < kPhaseCount;
  const PromptPhase& phase = kPhases[known ? promptState : 0];
  if (phase.text != nullptr) {
    canvas.Font.Color = phase.color;
    canvas.TextOut(prompt.width / 2 - phase.leftOfCentre, prompt.height / 2 - 5, phase.text);
  }
  promptState = phase.next;
  timer.SetInterval(phase.intervalMs);
  const platform::TRect area{0, 0, prompt.width, prompt.height};
  chart.CopyRect(area, canvas, area);
}

}  // namespace view
