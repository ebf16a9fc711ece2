#pragma once
// A fingerprint of the whole world, for demos and regression runs.
#include <cstdint>

uint64_t WorldHash();
