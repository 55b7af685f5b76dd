// Draws the column chart on the chart area: a black background, the up bar with its mark,
// and the shown folder's entries as nested columns of bands, in two passes (boxes and
// labels, then the labels again on top). Nothing is kept between paints.
//
// The main window forwards its paint handler and its DrawLevel operation here:
//   void TDuForm::FormPaint(TObject*) {
//     view::FormPaint({PaintBox1->Canvas(), PaintBox1->Width(), PaintBox1->Height()},
//                     Root.get(), Current, UpMark, *Timer1);
//   }
//   void TDuForm::DrawLevel(int left, int top, int width, int height, DirEnt* folder,
//                           int depth, std::uint8_t drawBoxes) {
//     view::DrawLevel(PaintBox1->Canvas(), Root.get(), Current, left, top, width, height,
//                     folder, depth, drawBoxes != 0);
//   }
// FormPaint also switches the idle prompt's timer: on while no tree is loaded, off (with
// the interval back at 100 ms) while one is.
#pragma once

#include <string>

#include "platform/Graphics.h"
#include "platform/Timer.h"
#include "tree/SizeTree.h"
#include "view/ChartGeometry.h"

namespace view {

void FormPaint(PaintArea chart, const DirEnt* root, DirEnt* current, const std::string& upMark,
               platform::TTimer& timer);

// Draws the entries of `folder` as the column at `left`, `width` wide, over the span from
// `top` to `top + height`, and recurses into the folders of bands taller than 12 px while
// `depth` is 0 or more. `drawBoxes` false draws the labels only. Draws nothing while `root`
// or `current` is null.
void DrawLevel(platform::TCanvas& canvas, const DirEnt* root, const DirEnt* current, int left,
               int top, int width, int height, DirEnt* folder, int depth, bool drawBoxes);

}  // namespace view
