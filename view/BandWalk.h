// The layout of one column: walks a folder's entries in their own order and yields the band
// of every entry taller than kBandMin, stacked from the top of the folder's span downward.
// Drawing (ChartDrawing) and hit testing (HitTest) both lay out their columns with this walk,
// each applying its own limits to the bands it yields, so a press always meets the bands the
// user sees.
#pragma once

#include <optional>

#include "tree/SizeTree.h"

namespace view {

struct Band {
  ObjEnt* entry;
  double share;  // the entry's share of the span in pixels, before truncation
  int top;       // y of the band's top edge
  int height;    // the share truncated toward zero: the band's height in pixels
};

class BandWalk {
 public:
  // Lays out the entries of `folder` over the span from `top` to `top + height`.
  BandWalk(DirEnt& folder, int top, int height);
  // The next band, or nullopt after the last one.
  std::optional<Band> Next();

 private:
  DirEnt& folder_;
  double size_;
  int top_;
  int height_;
  int count_;
  int index_ = 0;
  int offset_ = 0;
};

// The entry as a folder the chart can open, or null for a file.
DirEnt* AsFolder(ObjEnt* entry);

}  // namespace view
