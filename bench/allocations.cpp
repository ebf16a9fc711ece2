#include "bench/allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "game/record_store.h"
#include "game/world.h"

namespace {
std::atomic<uint64_t> Count{0};
std::atomic<uint64_t> Records{0};

constexpr bool RecordSize(std::size_t size) {
  return size == sizeof(RecordStore<Bubble>::Slab) || size == sizeof(RecordStore<Faller>::Slab) ||
         size == sizeof(RecordStore<FloatingBarel>::Slab);
}
}  // namespace

uint64_t AllocationCount() { return Count.load(std::memory_order_relaxed); }
uint64_t RecordAllocationCount() { return Records.load(std::memory_order_relaxed); }

void* operator new(std::size_t size) {
  Count.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  Count.fetch_add(1, std::memory_order_relaxed);
  if (RecordSize(size)) Records.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  Count.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
