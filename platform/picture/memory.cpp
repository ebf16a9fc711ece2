#include "platform/picture/memory.h"

#include <SDL.h>

namespace pic {

namespace {

// SDL's own allocator, which the capped one forwards to: memory taken before or after a
// decode is freed by the same functions either way.
struct AllocationCapState {
  SDL_malloc_func malloc = nullptr;
  SDL_calloc_func calloc = nullptr;
  SDL_realloc_func realloc = nullptr;
  SDL_free_func free = nullptr;
  size_t largest = 0;  // 0: no cap
};
AllocationCapState Cap;

bool Refused(size_t bytes) { return Cap.largest != 0 && bytes > Cap.largest; }

void* CappedMalloc(size_t bytes) { return Refused(bytes) ? nullptr : Cap.malloc(bytes); }
void* CappedCalloc(size_t count, size_t size) {
  return count != 0 && (Refused(size) || Refused(count * size) || count * size / count != size)
             ? nullptr
             : Cap.calloc(count, size);
}
void* CappedRealloc(void* memory, size_t bytes) {
  return Refused(bytes) ? nullptr : Cap.realloc(memory, bytes);
}

void Install() {
  if (Cap.malloc) return;
  SDL_GetMemoryFunctions(&Cap.malloc, &Cap.calloc, &Cap.realloc, &Cap.free);
  SDL_SetMemoryFunctions(CappedMalloc, CappedCalloc, CappedRealloc, Cap.free);
}

}  // namespace

DecodingBudget::DecodingBudget(size_t largest) {
  Install();
  Cap.largest = largest;
}

DecodingBudget::~DecodingBudget() { Cap.largest = 0; }

}  // namespace pic
