#pragma once
#include <cstddef>

// Heap use measured through the global operator new, for benchmarks of what an operation costs in
// memory and in work (bytes allocated). An executable that uses it lists
// bench/allocation_counter.cpp among its sources, which replaces operator new and delete.
namespace barloom::bench_support {

// Counts from its construction: the most bytes in use at once above the level it started at,
// and all bytes allocated meanwhile. One scope at a time.
class AllocationScope {
 public:
  AllocationScope();
  AllocationScope(const AllocationScope&) = delete;
  AllocationScope& operator=(const AllocationScope&) = delete;

  std::size_t PeakBytes() const;
  std::size_t AllocatedBytes() const;

 private:
  std::size_t startInUse_;
  std::size_t startAllocated_;
};

}  // namespace barloom::bench_support
