// The scan passes' limits. The passes themselves are DirEnt::CountEntries and DirEnt::Scan
// (SizeTree.h); their globals and hooks are in ScanHooks.h.
#pragma once

#include <cstdint>

// The counting pass lists the folders at depths 0 to 3 only.
inline constexpr std::int32_t kCountDepthLimit = 4;
// A folder this many levels below the root is treated as one that cannot be listed, so that no
// file system, real or fake, can make the recursion overflow the stack. Real paths run out of
// length long before this.
inline constexpr std::int32_t kMaxScanDepth = 4096;
