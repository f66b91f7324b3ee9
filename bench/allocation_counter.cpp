#include "bench/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> allocated{0};

// Each block carries its size in front of it, so that delete knows what it gives back; the
// header keeps the alignment malloc gives.
constexpr std::size_t Header = alignof(std::max_align_t);

void* Allocate(std::size_t size) noexcept {
  void* block = std::malloc(size + Header);
  if (!block) return nullptr;
  *static_cast<std::size_t*>(block) = size;
  allocated += size;
  const std::size_t now = inUse += size;
  std::size_t highest = peak.load();
  while (now > highest && !peak.compare_exchange_weak(highest, now)) {
  }
  return static_cast<char*>(block) + Header;
}

void* AllocateOrThrow(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}

void Release(void* p) noexcept {
  if (!p) return;
  void* block = static_cast<char*>(p) - Header;
  inUse -= *static_cast<std::size_t*>(block);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace barloom::bench_support {

AllocationScope::AllocationScope() : startInUse_(inUse.load()), startAllocated_(allocated.load()) {
  peak = startInUse_;
}

std::size_t AllocationScope::PeakBytes() const { return peak.load() - startInUse_; }

std::size_t AllocationScope::AllocatedBytes() const { return allocated.load() - startAllocated_; }

}  // namespace barloom::bench_support
