// A reference model of the two passes, written straight from the rules and independent of the
// tree's code: it walks the same layout under the same fault plan and says what tree, flags,
// counters and progress reports the passes must leave. Allocation failures are placed where
// the fake file system saw them strike.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "FaultPlan.h"

class DirEnt;

namespace faults {

struct ModelNode {
  bool isFile = false;
  std::string name;
  double size = 0.0;
  bool aborted = false;
  std::vector<ModelNode> children;
};

// Any non-negative percentage is right when nothing was counted.
inline constexpr std::int32_t kAnyPercent = -1;

class ScanModel {
 public:
  explicit ScanModel(const Layout& layout) : layout_(layout) {}

  struct Result {
    ModelNode root;
    bool escaped = false;  // an error left the root's pass
  };
  // The counting pass and the sizing pass over a fresh root. The stop flag and the counters
  // carry over from one pass to the next, as they do in the program.
  Result Count(const FaultPlan& plan, const std::set<AllocationFault>& allocationFaults);
  Result Size(const FaultPlan& plan, const std::set<AllocationFault>& allocationFaults);

  bool stop = false;
  std::int32_t counted = 0;
  std::int32_t scanned = 0;
  long pumps = 0;                      // pumps of the last pass
  std::vector<std::int32_t> progress;  // reports of the last sizing pass

 private:
  struct Escape {};
  void CountFolder(ModelNode& folder, int depth);
  void SizeFolder(ModelNode& folder, int depth);
  bool Struck(const std::string& folder, int position, Phase phase) const;
  void Pump();

  const Layout& layout_;
  const FaultPlan* plan_ = nullptr;
  const std::set<AllocationFault>* faults_ = nullptr;
};

// Empty when `actual` is the tree `expected` describes, else the first difference. Also
// checks the tree's own invariants: Count equals the number of slots, no slot is null,
// GetEntry answers null outside 0..Count-1, and every folder's Parent is the folder holding it.
std::string CompareTree(const ModelNode& expected, DirEnt& actual);

}  // namespace faults
