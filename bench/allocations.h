#pragma once
// Counts the allocations made through operator new in this program.
#include <cstdint>

uint64_t AllocationCount();
