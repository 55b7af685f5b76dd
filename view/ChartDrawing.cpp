#include "view/ChartDrawing.h"

#include "view/BandWalk.h"
#include "view/ChartLabel.h"

namespace view {

using platform::clAqua;
using platform::clBlack;
using platform::clRed;

void FormPaint(PaintArea chart, const DirEnt* root, DirEnt* current, const std::string& upMark,
               platform::TTimer& timer) {
  if (root == nullptr) {
    // The idle prompt owns the chart area until a tree is loaded.
    timer.SetEnabled(true);
    return;
  }
  platform::TCanvas& canvas = chart.canvas;
  const int h = chart.height;
  canvas.Brush.Color = clBlack;
  canvas.FillRect({0, 0, chart.width, h});
  canvas.Pen.Color = clAqua;
  canvas.Font.Color = clRed;
  canvas.Rectangle(0, 0, kUpBarWidth, h);
  canvas.TextOut(5, h / 2 - 5, upMark);
  const int w = ColumnWidth(chart.width);
  DrawLevel(canvas, root, current, kUpBarWidth, 0, w, h, current, kChartDepth, true);
  DrawLevel(canvas, root, current, kUpBarWidth, 0, w, h, current, kChartDepth, false);
  timer.SetEnabled(false);
  timer.SetInterval(100);
}

void DrawLevel(platform::TCanvas& canvas, const DirEnt* root, const DirEnt* current, int left,
               int top, int width, int height, DirEnt* folder, int depth, bool drawBoxes) {
  if (current == nullptr || root == nullptr || folder == nullptr || folder->IsFile() || depth < 0)
    return;
  --depth;
  canvas.Pen.Color = clAqua;
  canvas.Font.Color = clAqua;
  BandWalk walk(*folder, top, height);
  while (const auto band = walk.Next()) {
    if (drawBoxes) canvas.Rectangle(left, band->top, left + width, band->top + band->height);
    if (!(band->share > kLabelMin)) continue;
    canvas.TextOut(left + 3, band->top + band->height / 2 - 5, ChartLabel(*band->entry));
    if (DirEnt* sub = AsFolder(band->entry))
      DrawLevel(canvas, root, current, left + width, band->top, width, band->height, sub, depth,
                drawBoxes);
  }
}

}  // namespace view
