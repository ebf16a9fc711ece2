#pragma once
// The integer rules of the world: truncation towards zero and guarded remainders.
#include <cstdint>

#include "platform/system/system.h"

// Double to 32-bit integer, towards zero. Values that do not fit give INT32_MIN, as the
// processor's own conversion does, instead of undefined behaviour.
inline int32_t Trunc(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// Integer division rounding towards minus infinity, for positions left of the grid.
inline int64_t FloorDiv(int64_t value, int64_t divisor) {
  const int64_t q = value / divisor;
  return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? q - 1 : q;
}

// rand() % modulus, the remainder keeping the sign of the dividend. The draw is always
// made, so the random sequence does not depend on the modulus; a modulus of 0 gives 0.
inline int32_t DrawBelow(int64_t modulus) {
  const int64_t r = crt::rand();
  return modulus == 0 ? 0 : static_cast<int32_t>(r % modulus);
}
