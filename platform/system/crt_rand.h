#pragma once
// The game's own rand/srand: the classic run-time formula, so that the same seed
// gives the same games on every platform.
namespace crt {

constexpr int RandMax = 32767;  // RAND_MAX of the run-time library

int rand();
void srand(unsigned seed);
// The generator's state, for demos that must replay a game exactly.
unsigned State();

}  // namespace crt
