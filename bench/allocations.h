#pragma once
// Counts the allocations made through operator new in this program.
#include <cstdint>

uint64_t AllocationCount();
// Of those, the slabs of the world's record stores (floating barrels, fallers and
// bubbles), which a store makes with a non-throwing new when its slabs are full.
uint64_t RecordAllocationCount();
