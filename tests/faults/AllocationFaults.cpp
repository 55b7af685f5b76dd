// The replaced global allocation functions. They allocate with malloc and free with free, so
// the sanitizer's leak check still sees every block; when armed they count each allocation
// and throw std::bad_alloc at the chosen ones.
#include "AllocationFaults.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace faults {

namespace {

bool armed = false;
int uncounted = 0;
long counted = 0;
const std::set<long>* failures = nullptr;
FaultObserver faultObserver = nullptr;
void* observerContext = nullptr;

// Counts one allocation; throws when it is one chosen to fail.
void CountAllocation() {
  if (!armed || uncounted > 0) return;
  ++counted;
  if (failures->count(counted) == 0) return;
  if (faultObserver) {
    UncountedScope scope;
    faultObserver(observerContext);
  }
  throw std::bad_alloc();
}

void* Allocate(std::size_t size) {
  CountAllocation();
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  return block;
}

// Over-aligned blocks come from malloc too (no posix_memalign on Windows): the block is
// over-allocated, the aligned address handed out, and malloc's own pointer kept just before it.
void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  CountAllocation();
  const auto align = static_cast<std::size_t>(alignment);
  void* raw = std::malloc((size == 0 ? 1 : size) + align + sizeof(void*));
  if (!raw) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(raw) + sizeof(void*);
  const auto aligned = (start + align - 1) / align * align;
  reinterpret_cast<void**>(aligned)[-1] = raw;
  return reinterpret_cast<void*>(aligned);
}

}  // namespace

void FreeAligned(void* block) noexcept {
  if (block) std::free(static_cast<void**>(block)[-1]);
}

void Arm(const std::set<long>& failAt, FaultObserver observer, void* context) {
  failures = &failAt;
  faultObserver = observer;
  observerContext = context;
  counted = 0;
  armed = true;
}

long Disarm() {
  armed = false;
  failures = nullptr;
  faultObserver = nullptr;
  observerContext = nullptr;
  return counted;
}

UncountedScope::UncountedScope() {
  ++uncounted;
}

UncountedScope::~UncountedScope() {
  --uncounted;
}

}  // namespace faults

void* operator new(std::size_t size) {
  return faults::Allocate(size);
}
void* operator new[](std::size_t size) {
  return faults::Allocate(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return faults::AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return faults::AllocateAligned(size, alignment);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return faults::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return faults::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
  faults::FreeAligned(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  faults::FreeAligned(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  faults::FreeAligned(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  faults::FreeAligned(block);
}
