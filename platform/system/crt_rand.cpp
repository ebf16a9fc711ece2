#include "platform/system/crt_rand.h"

#include <cstdint>

namespace crt {
namespace {
// A fresh run-time library starts as if seeded with 1.
uint32_t Generator = 1;
}  // namespace

int rand() {
  Generator = Generator * 214013u + 2531011u;
  return static_cast<int>((Generator >> 16) & 0x7FFF);
}

void srand(unsigned seed) { Generator = seed; }

unsigned State() { return Generator; }

}  // namespace crt
