#include "view/BandWalk.h"

#include "view/ChartGeometry.h"

namespace view {

BandWalk::BandWalk(DirEnt& folder, int top, int height)
    : folder_(folder),
      size_(folder.GetSize()),
      top_(top),
      height_(height),
      count_(folder.GetCount()) {
  // A folder of size 0 (only empty entries) would give every entry the share 0 / 0; it
  // shows no bands instead. A span without height holds none either.
  if (!(size_ > 0.0) || height_ <= 0) count_ = 0;
}

std::optional<Band> BandWalk::Next() {
  while (index_ < count_) {
    ObjEnt* entry = folder_.GetEntry(index_++);
    if (entry == nullptr) continue;
    // Division first, then the product with the span's height, as a double.
    const double share = entry->GetSize() / size_ * height_;
    // Not greater also covers a share that is not a number: the entry takes no room.
    if (!(share > kBandMin)) continue;
    // A band never reaches past its folder's span. In a tree whose folder sizes are the sums
    // of their entries this cuts nothing; for any other tree it keeps the pixels in range.
    const int rest = height_ - offset_;
    const int pixels = share < rest ? static_cast<int>(share) : rest;
    const Band band{entry, share, top_ + offset_, pixels};
    offset_ += pixels;
    return band;
  }
  return std::nullopt;
}

DirEnt* AsFolder(ObjEnt* entry) {
  if (entry == nullptr || entry->IsFile()) return nullptr;
  return dynamic_cast<DirEnt*>(entry);
}

}  // namespace view
