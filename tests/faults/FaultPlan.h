// What a fault-injection run is made of: the fake tree's layout (what every folder lists, as
// the scan tests' FakeFileSystem serves it) and the faults to inject into one pass. A site is
// one call of a folder listing's Next(): the folder's path and the 0-based number of the call.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "FakeFileSystem.h"

namespace faults {

struct Layout {
  std::string root;                                       // the root folder's path
  std::map<std::string, std::vector<FakeEntry>> folders;  // a folder missing here can't be listed
  std::set<std::string> throwOnOpen;                      // opening these throws

  void InstallInto(FakeFileSystem& fs) const {
    for (const auto& [path, entries] : folders) fs.Add(path, entries);
    for (const std::string& path : throwOnOpen) fs.ThrowOnOpen(path);
  }
};

using Site = std::pair<std::string, int>;

struct FaultPlan {
  std::set<std::string> openFails;  // the listing won't open (null)
  std::set<std::string> openThrows;
  std::set<Site> nextThrows;   // Next() throws instead of giving this entry
  std::set<Site> queryThrows;  // the query of this entry throws
  std::set<Site> queryFails;   // the query of this entry answers false
  long stopAtPump = 0;         // the pump hook sets StopRequested on this call (1-based; 0: never)
  std::set<long> failAllocations;  // these counted allocations (1-based) throw std::bad_alloc

  std::string Describe() const;
};

// Where the pass stood when an injected allocation failure struck: before the root's listing
// was opened, after a listing opened, after Next() gave an entry, after a query answered true
// (the entry's node not yet in the tree) or false, after the entry's node was added to the
// tree, or somewhere no allocation was expected.
enum class Phase {
  kBeforeOpen,
  kOpened,
  kAfterNext,
  kAfterQuery,
  kAfterQueryFailed,
  kNodeAdded,
  kElsewhere
};

struct AllocationFault {
  std::string folder;
  int position = -1;
  Phase phase = Phase::kElsewhere;
  bool operator<(const AllocationFault& other) const {
    return std::tie(folder, position, phase) < std::tie(other.folder, other.position, other.phase);
  }
};

}  // namespace faults
