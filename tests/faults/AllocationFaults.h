// Allocation faults on demand: this test program replaces the global operator new so that,
// while counting is armed, the Nth counted allocation throws std::bad_alloc. Code that must
// not be counted (the fake file system, the test's own bookkeeping) runs inside an
// UncountedScope. Single-threaded by design, like the passes.
#pragma once

#include <set>

namespace faults {

// Called when an injected failure is about to be thrown, with counting suspended, so that it
// may allocate (to record where the failure struck).
using FaultObserver = void (*)(void* context);

// Starts counting allocations from 0; those whose number is in `failAt` throw. `failAt` is
// borrowed until Disarm.
void Arm(const std::set<long>& failAt, FaultObserver observer, void* context);
// Stops counting and returns how many allocations were counted since Arm.
long Disarm();

// Allocations made while one of these lives are neither counted nor failed.
class UncountedScope {
 public:
  UncountedScope();
  ~UncountedScope();
  UncountedScope(const UncountedScope&) = delete;
  UncountedScope& operator=(const UncountedScope&) = delete;
};

}  // namespace faults
