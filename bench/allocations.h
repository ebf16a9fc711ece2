#pragma once
// Counts the allocations made through operator new in this program.
#include <cstdint>

uint64_t AllocationCount();
// Of those, the world's records: floating barrels, fallers and bubbles, which the game
// makes with a non-throwing new.
uint64_t RecordAllocationCount();
