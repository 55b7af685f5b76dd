// The blinking prompt shown while no tree is loaded: "Ready" in red for 1 s, nothing for
// 1 s, "click here" in green for 1 s, nothing for 3 s, round again. Each tick draws its phase
// on the second surface (PaintBox2) and copies it onto the chart area (PaintBox1). The phase
// lives in the main window's PromptState and is never reset, so a timer switched off and on
// again goes on where it stopped. The handler only sets the interval; FormPaint switches the
// timer on and off.
//
// The main window forwards its timer handler here:
//   void TDuForm::Timer1Timer(TObject*) {
//     view::Timer1Timer({PaintBox2->Canvas(), PaintBox2->Width(), PaintBox2->Height()},
//                       PaintBox1->Canvas(), Width(), Height(), Root.get(), PromptState,
//                       *Timer1);
//   }
#pragma once

#include <cstdint>

#include "platform/Graphics.h"
#include "platform/Timer.h"
#include "tree/SizeTree.h"
#include "view/ChartGeometry.h"

namespace view {

// `prompt` is PaintBox2 with its size; `chart` is PaintBox1's canvas (the same size).
// `windowWidth` and `windowHeight` are the main window's outer size: the clearing fill spans
// them and the surface clips it to itself. Does nothing while `root` is set.
void Timer1Timer(PaintArea prompt, platform::TCanvas& chart, int windowWidth, int windowHeight,
                 const DirEnt* root, std::int32_t& promptState, platform::TTimer& timer);

}  // namespace view
