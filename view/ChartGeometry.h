// The chart's fixed geometry and thresholds, shared by drawing, hit testing and navigation.
// Coordinates are integer pixels of the chart area, origin at its top-left corner.
#pragma once

#include "platform/Graphics.h"

namespace view {

// The up bar runs down the left edge; a press left of it goes up one folder.
constexpr int kUpBarWidth = 20;
// A band lower than or equal to this takes no room and is neither drawn nor hit.
constexpr double kBandMin = 4.0;
// A band taller than this is labelled and its folder's entries are drawn in the next column.
constexpr double kLabelMin = 12.0;
// A band taller than this leads the hit test into its folder's column.
constexpr double kHitExpandMin = 15.0;
// Depth handed to the first column: drawing reaches four columns, the hit test three.
constexpr int kChartDepth = 3;

// Width of one column for a chart area `areaWidth` pixels wide; not clamped, so it is 0 or
// negative below 33 px and then no x lies inside a column.
constexpr int ColumnWidth(int areaWidth) {
  return (areaWidth - 30) / 3;
}

// A canvas with the size of the paint box it draws on.
struct PaintArea {
  platform::TCanvas& canvas;
  int width;
  int height;
};

}  // namespace view
