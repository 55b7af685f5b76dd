#include "view/HitTest.h"

#include "view/BandWalk.h"
#include "view/ChartGeometry.h"

namespace view {

DirEnt* FindFolderAt(int left, int top, int width, int height, DirEnt* folder, int depth, int x,
                     int y) {
  if (folder == nullptr || folder->IsFile() || depth <= 0) return nullptr;
  --depth;
  const bool inColumn = left < x && x < left + width;
  BandWalk walk(*folder, top, height);
  while (const auto band = walk.Next()) {
    const bool inBand = inColumn && band->top < y && y < band->top + band->height;
    if (inBand) {
      if (DirEnt* hit = AsFolder(band->entry)) return hit;
    }
    if (!(band->share > kHitExpandMin)) continue;
    DirEnt* sub = AsFolder(band->entry);
    if (sub == nullptr) continue;
    if (DirEnt* hit = FindFolderAt(left + width, band->top, width, band->height, sub, depth, x, y))
      return hit;
  }
  return nullptr;
}

}  // namespace view
