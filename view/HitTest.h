// Finds the folder whose band lies under a point of the chart area, walking the same column
// layout as the drawing (BandWalk) with the hit test's own limits: three columns from depth
// 3, and only bands taller than 15 px lead into the next column. Files are never found.
//
// The main window forwards its FindFolderAt operation here:
//   DirEnt* TDuForm::FindFolderAt(int left, int top, int width, int height, DirEnt* folder,
//                                 int depth, int x, int y) {
//     return view::FindFolderAt(left, top, width, height, folder, depth, x, y);
//   }
#pragma once

#include "tree/SizeTree.h"

namespace view {

// A point is inside a band when left < x < left + width and the band's top < y < its top +
// its height, all strict: a column's left edge and a band's first row belong to no band.
// Null when no folder band that the search reaches holds the point, or depth is 0 or less.
DirEnt* FindFolderAt(int left, int top, int width, int height, DirEnt* folder, int depth, int x,
                     int y);

}  // namespace view
