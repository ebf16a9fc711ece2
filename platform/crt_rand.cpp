#include "platform/crt_rand.h"

#include <cstdint>

namespace crt {
namespace {
// A fresh run-time library starts as if seeded with 1.
uint32_t State = 1;
}  // namespace

int rand() {
  State = State * 214013u + 2531011u;
  return static_cast<int>((State >> 16) & 0x7FFF);
}

void srand(unsigned seed) { State = seed; }

}  // namespace crt
