// Generated fake trees and fault plans, reproducible from a seed. Trees mix files of many
// sizes (0, 2^32, past 2^53), "." and "..", names short and long, entries that vanish, listings
// that fail part-way, folders that can't be listed and folders whose opening throws.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "FaultPlan.h"

namespace faults {

struct TreeShape {
  int maxDepth = 6;        // deepest folder level listed
  int maxEntries = 7;      // entries per folder: 0..maxEntries
  bool withFaults = true;  // also vanishing entries, failing listings, unlistable folders
};

Layout RandomLayout(std::mt19937_64& rng, const std::string& root, const TreeShape& shape);

// How many pumps and counted allocations one pass made without injected faults.
struct PassCounts {
  long pumps = 0;
  long allocations = 0;
};

// A plan of a few faults at random sites, a random stop, and random allocation failures.
FaultPlan RandomPlan(std::mt19937_64& rng, const Layout& layout, const PassCounts& clean);

}  // namespace faults
